#include <sqlite3.h>

#include <QCheckBox>

#include "tests/catalogue/CatalogueFixture.h"

namespace {
const char* const kQuestion = "如果删除则会影响各种报表的统计信息，真的删除吗？";

class DiscardTest : public CatalogueFixture {
  protected:
    // Three titles; the second has two rental lines (one returned) and a sale line.
    void SetUp() override {
        CatalogueFixture::SetUp();
        AddTitle("030100000001", "A1", "英雄");
        AddTitle("030100000002", "A2", "无间道");
        AddTitle("030100000003", "A3", "大话西游");
        AddRental("030100000002", "0001", true);
        Sql("insert into borrowinfo (borrowid, borrowcount, isreturnall) "
            "values ('0301000000020002', 1, 1)");
        AddSale("030100000002", "0001");
        AddRental("030100000001", "0002", true);
    }
    QString Titles() {
        return Query1("select group_concat(cdid) from (select cdid from cdinfo order by cdid)");
    }
    int History() {
        return Count(
            "select (select count(*) from borrowinfo) + (select count(*) from returninfo)");
    }
};
}  // namespace

TEST_F(DiscardTest, NoChangesNothing) {
    CataloguePage& page = ShowCatalogue();
    MsgBoxLog::Get().QueueAnswer(vbNo);
    page.Command2->click();
    MsgBoxLog::Get().QueueAnswer(vbNo);
    page.Command3->click();
    EXPECT_EQ(Prompts(), (std::vector<QString>{kQuestion, kQuestion}));
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "删除");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons, vbYesNo + vbQuestion);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_EQ(History(), 5);
}

TEST_F(DiscardTest, DiscardingATitleRemovesItsHistoryButNotItsSales) {
    CataloguePage& page = ShowCatalogue();
    Catalogue().SetAbsolutePosition(2);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    EXPECT_EQ(Prompts(), std::vector<QString>{kQuestion});
    EXPECT_EQ(Count("select count(*) from cdinfo where cdid = '030100000002'"), 0);
    EXPECT_EQ(Count("select count(*) from borrowinfo where borrowid like '030100000002%'"), 0);
    EXPECT_EQ(Count("select count(*) from returninfo"), 1) << "the other title's return stays";
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1);
    EXPECT_EQ(page.TxtName->text(), "大话西游") << "the grid stands on the next title";
    EXPECT_EQ(page.LblCDManageCount->Caption(), "2");

    // The last title: the catalogue is left at its end.
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    EXPECT_TRUE(Catalogue().AtEOF());
    EXPECT_EQ(Count("select count(*) from cdinfo"), 1);
}

TEST_F(DiscardTest, ATitleWithCopiesOutOrInTheOpenSaleBasketIsNotDiscarded) {
    AddRental("030100000003", "0009", false);
    Sql("insert into sellinfo (sellid, sellcount) values ('0301000000010004', 1)");
    Data().Add(ShopData::OpenBasket("0004").Sale());
    CataloguePage& page = ShowCatalogue();
    for (int row : {1, 3}) {
        ForgetPrompts();
        Catalogue().SetAbsolutePosition(row);
        MsgBoxLog::Get().QueueAnswer(vbYes);
        page.Command2->click();
        ASSERT_EQ(Prompts().size(), 2u);
        EXPECT_TRUE(Prompts()[1].contains("不能丢弃")) << row;
        EXPECT_EQ(Catalogue().AbsolutePosition(), row);
    }
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 4);
}

TEST_F(DiscardTest, ANewTitleNotYetSavedIsSimplyDropped) {
    CataloguePage& page = ShowCatalogue();
    page.Command1->click();
    Settle();
    Type(page.TxtName, "半截");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    EXPECT_EQ(Prompts(), std::vector<QString>{kQuestion});
    EXPECT_EQ(Catalogue().RecordCount(), 3);
    EXPECT_FALSE(page.HasPendingEdit());
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_EQ(History(), 5);
}

TEST_F(DiscardTest, ClearingBadDiscsKeepsTheGoodOnesAndThoseInUse) {
    Sql("update cdinfo set isabandon = 1 where cdid in ('030100000001', '030100000002')");
    AddTitle("050100000001", "V1", "坏了还借出", "VCD");
    Sql("update cdinfo set isabandon = 1 where cdid = '050100000001'");
    AddRental("050100000001", "0003", false);
    CataloguePage& page = ShowCatalogue();
    page.CboManageType->setCurrentText("VCD");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command3->click();
    EXPECT_EQ(Query1("select group_concat(cdid) from (select cdid from cdinfo order by cdid)"),
              "030100000003,050100000001");
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"), "0501000000010003");
    EXPECT_EQ(Count("select count(*) from returninfo"), 0);
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1);
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_EQ(Prompts()[1],
              "有 1 种坏光盘还有租出未还的光盘，或者在未结帐的出租、出售中，没有清除。");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "1") << "the filtered list is read again";
}

// Only the ticks stored count; the title being edited keeps its edit, unsaved.
TEST_F(DiscardTest, ClearingBadDiscsSeesOnlyStoredTicksAndKeepsTheEditUnsaved) {
    Sql("update cdinfo set isabandon = 1 where cdid = '030100000003'");
    CataloguePage& page = ShowCatalogue();
    Catalogue().SetAbsolutePosition(2);
    ASSERT_EQ(page.TxtName->text(), "无间道");
    QTest::mouseClick(page.Check1, Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, page.Check1->height() / 2));
    ASSERT_TRUE(page.Check1->isChecked());
    Type(page.TxtRemark, "封面破了");
    page.MebPrice->setFocus();
    page.MebPrice->selectAll();
    QTest::keyClicks(page.MebPrice, "25");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    QTest::mouseClick(page.Command3, Qt::LeftButton);
    Settle();
    EXPECT_EQ(Prompts(), std::vector<QString>{kQuestion});
    EXPECT_EQ(Titles(), "030100000001,030100000002") << "the unsaved tick is not seen";
    EXPECT_EQ(Query1("select isabandon || '/' || quote(remark) || '/' || price from cdinfo "
                     "where cdid = '030100000002'"),
              "0/NULL/20.0")
        << "nothing of the edit was written";
    EXPECT_EQ(Catalogue().RecordCount(), 2);
    EXPECT_EQ(page.LblCDManageCount->Caption(), "2");
    EXPECT_EQ(page.TxtName->text(), "无间道") << "the title being edited stays current";
    EXPECT_TRUE(page.Check1->isChecked());
    EXPECT_EQ(page.TxtRemark->text(), "封面破了");
    EXPECT_EQ(page.MebPrice->Text(), "25");
    EXPECT_TRUE(page.HasPendingEdit());

    // Saved, the tick counts at the next clearing.
    page.CmdSave->click();
    Settle();
    EXPECT_EQ(Query1("select isabandon || '/' || remark || '/' || price from cdinfo "
                     "where cdid = '030100000002'"),
              "1/封面破了/25.0");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command3->click();
    EXPECT_EQ(Titles(), "030100000001");
}

TEST_F(DiscardTest, AStoredBadTitleGoesEvenWithAnUnsavedUntickAndAFailedClearingKeepsTheEdit) {
    Sql("update cdinfo set isabandon = 1 where cdid in ('030100000001', '030100000003')");
    CataloguePage& page = ShowCatalogue();
    Catalogue().SetAbsolutePosition(3);
    ASSERT_TRUE(page.Check1->isChecked());
    page.Check1->click();
    Type(page.TxtRemark, "其实是好的");

    // The file held by another program: nothing is removed and the edit stays.
    gConn.SetBusyTimeout(20);
    sqlite3* other = nullptr;
    sqlite3_open_v2(DbPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command3->click();
    Settle();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_TRUE(Prompts()[1].contains("正被其他程序使用")) << Prompts()[1].toStdString();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_TRUE(page.HasPendingEdit());
    EXPECT_EQ(page.TxtRemark->text(), "其实是好的");

    // The flag stored is what counts: the title goes, and its edit with it.
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command3->click();
    Settle();
    EXPECT_EQ(Titles(), "030100000002");
    EXPECT_FALSE(page.HasPendingEdit());
    EXPECT_EQ(page.TxtName->text(), "无间道");
}

TEST_F(DiscardTest, ClearingBadDiscsKeepsANewTitleBeingEnteredUnsaved) {
    Sql("update cdinfo set isabandon = 1 where cdid = '030100000001'");
    CataloguePage& page = ShowCatalogue();
    page.Command1->click();
    Settle();
    Type(page.TxtName, "新来的片子");
    Type(page.Text1, "N9");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command3->click();
    Settle();
    EXPECT_EQ(Titles(), "030100000002,030100000003");
    EXPECT_EQ(Catalogue().EditMode(), adEditAdd) << "the new title is still being entered";
    EXPECT_EQ(page.TxtName->text(), "新来的片子");
    EXPECT_EQ(page.Text1->text(), "N9");
    page.CboType->setCurrentText("DVD");
    page.CboMovieType->setCurrentText("动作");
    page.CmdSave->click();
    Settle();
    EXPECT_EQ(Query1("select name from cdinfo where id = 'N9'"), "新来的片子");
}

TEST_F(DiscardTest, AnEmptyCatalogueChangesNothingEvenAfterYes) {
    Sql("update cdinfo set isabandon = 1");
    CataloguePage& page = ShowCatalogue();
    page.CboManageType->setCurrentText("VCD");
    ASSERT_TRUE(Catalogue().AtEOF());
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command3->click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
}

TEST_F(DiscardTest, ADiscardWhoseCommitFailsLeavesTheTitleInTheGridAndTheFile) {
    CataloguePage& page = ShowCatalogue();
    gConn.SetBusyTimeout(20);
    Catalogue().SetAbsolutePosition(2);
    // Another program reading the file: the deletes go through, the commit cannot.
    sqlite3* reader = nullptr;
    sqlite3_stmt* reading = nullptr;
    sqlite3_open_v2(DbPath().toUtf8().constData(), &reader, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_prepare_v2(reader, "select cdid from cdinfo", -1, &reading, nullptr);
    ASSERT_EQ(sqlite3_step(reading), SQLITE_ROW);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    sqlite3_finalize(reading);
    sqlite3_close(reader);

    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_TRUE(Prompts()[1].contains("正被其他程序使用")) << Prompts()[1].toStdString();
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_EQ(History(), 5);
    EXPECT_EQ(Catalogue().RecordCount(), 3);
    EXPECT_EQ(page.dgCDInfo->model()->rowCount(), 3);
    EXPECT_EQ(Catalogue().AbsolutePosition(), 2);
    EXPECT_EQ(page.TxtName->text(), "无间道");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "3");

    // With the reader gone, the same discard goes through.
    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    EXPECT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(Catalogue().RecordCount(), 2);
}
