#include <sqlite3.h>

#include "catalogue/DiscIdAllocator.h"
#include "tests/catalogue/CatalogueFixture.h"

namespace {
class CatalogueSaveTest : public CatalogueFixture {
  protected:
    // "新光盘" with a name, a disc number, a format and a movie type chosen.
    void EnterNewTitle(const QString& name, const QString& number, const QString& type,
                       const QString& movietype) {
        CataloguePage& page = Page();
        page.Command1->click();
        Settle();
        Type(page.TxtName, name);
        Type(page.Text1, number);
        page.CboType->setCurrentText(type);
        page.CboMovieType->setCurrentText(movietype);
    }
    QString Row(const QString& id) {
        return Query1(QString("select cdid || '/' || count || '/' || restcount || '/' || station "
                              "from cdinfo where id = '%1'")
                          .arg(id));
    }
};
}  // namespace

TEST_F(CatalogueSaveTest, ANewTitleInAnEmptyShopGetsTheFirstIdOfItsPrefix) {
    CataloguePage& page = ShowCatalogue();
    EnterNewTitle("星球大战", "X1", "DVD", "科幻");
    page.MebCount->SetText("0");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Row("X1"), "031200000001/1/1/未借出");
    EXPECT_EQ(page.TxtID->text(), "031200000001");
    EXPECT_EQ(page.MebCount->Text(), "1");
    EXPECT_EQ(page.OldType, "DVD");
    EXPECT_EQ(page.OldMovieType, "科幻");
    EXPECT_FALSE(page.IsNewCD);
    EXPECT_FALSE(page.HasPendingEdit());
    EXPECT_EQ(Query1("select type || '/' || movietype || '/' || buydate from cdinfo"),
              "DVD/科幻/2026-12-08");

    // No format or movie type chosen: code 0 for each.
    EnterNewTitle("无名", "X2", "", "");
    page.CboType->setCurrentIndex(-1);
    page.CboMovieType->setCurrentIndex(-1);
    page.MebCount->SetText("");
    page.CmdSave_Click();
    EXPECT_EQ(Row("X2"), "000000000001/1/1/未借出");
}

TEST_F(CatalogueSaveTest, TheSequenceSkipsNumbersThatStillHaveHistory) {
    for (int n = 1; n <= 5; ++n)
        AddTitle(QString("03120000000%1").arg(n), QString("T%1").arg(n), QString("片%1").arg(n),
                 "DVD", "科幻");
    // A title since given another format left its rental line numbered 9 behind.
    AddRental("031200000009", "0001", true);
    CataloguePage& page = ShowCatalogue();
    EnterNewTitle("新片", "N1", "DVD", "科幻");
    page.CmdSave_Click();
    EXPECT_EQ(Row("N1").left(12), "031200000010");

    // A return line alone counts as well.
    Sql("insert into returninfo (returnid, returncount) values ('03120000004200010001', 1)");
    EnterNewTitle("又一片", "N2", "DVD", "科幻");
    page.CmdSave_Click();
    EXPECT_EQ(Row("N2").left(12), "031200000043");
}

TEST_F(CatalogueSaveTest, ADiscardedTitleLeavesItsIdToItsSalesNotToANewTitle) {
    AddTitle("030100000001", "A1", "英雄");
    AddTitle("030100000002", "A2", "无间道");
    AddSale("030100000002", "0001");
    AddSale("030100000002", "0003");
    CataloguePage& page = ShowCatalogue();
    Catalogue().SetAbsolutePosition(2);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command2->click();
    Settle();
    ASSERT_EQ(Count("select count(*) from cdinfo where cdid = '030100000002'"), 0);
    ASSERT_EQ(Count("select count(*) from sellinfo"), 2) << "its sales stay for the reports";
    ForgetPrompts();
    EnterNewTitle("新片", "N1", "DVD", "动作");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Row("N1").left(12), "030100000003");
    EXPECT_EQ(Count("select count(*) from sellinfo where substr(sellid,1,12) = "
                    "(select cdid from cdinfo where id = 'N1')"),
              0)
        << "the new title has no sales of its own";
}

TEST_F(CatalogueSaveTest, AllocatorFindsTheHighestOfTheFourTablesPerPrefix) {
    Sql("insert into cdinfo (cdid, name) values ('031200000007', 'a'), ('031300000099', 'b');"
        "insert into borrowinfo (borrowid) values ('0312000000050001'), ('0412000000800001');"
        "insert into returninfo (returnid) values ('03120000000600010001');"
        "insert into sellinfo (sellid) values ('0412000000900001'), ('0513000000040002')");
    DiscIdAllocator allocator(gConn);
    EXPECT_EQ(allocator.Next(3, 12).value_or("none"), "031200000008");
    EXPECT_EQ(allocator.Next(4, 12).value_or("none"), "041200000091");
    EXPECT_EQ(allocator.Next(5, 13).value_or("none"), "051300000005");
    EXPECT_EQ(allocator.Next(99, 99).value_or("none"), "999900000001");
    EXPECT_FALSE(allocator.Next(100, 1).has_value());
    EXPECT_FALSE(allocator.Refusal().isEmpty());
    EXPECT_FALSE(allocator.Next(3, -1).has_value());
}

// Keys another program wrote, not twelve digits where the disc id stands (a letter among
// the digits, full-width digits, a short key), hold no sequence; longer keys count by their
// disc id. The next id is above every well-formed one, never one already taken.
TEST_F(CatalogueSaveTest, KeysThatAreNotTwelveDigitsNeitherHoldBackNorRepeatAnId) {
    AddTitle("030100000001", "A1", "英雄");
    Sql("insert into cdinfo (cdid, name, id) values ('0301000000X1', '旧片', 'OLD');"
        "insert into borrowinfo (borrowid, name) values ('0301000000X10001', '000001'), "
        "('0301000000X10002', '000001'), ('0301000000X10003', '000001');"
        "insert into sellinfo (sellid, name) values ('0301０００００００９0001', '000001')");
    CataloguePage& page = ShowCatalogue();
    EnterNewTitle("新片", "N1", "DVD", "动作");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Row("N1").left(12), "030100000002");

    Sql("insert into borrowinfo (borrowid, name) values ('03010000000700107', '000001');"
        "insert into returninfo (returnid) values ('03010000000800010001');"
        "insert into cdinfo (cdid, name) values ('03010000099', '短号'), ('0301 0000050', '空格')");
    EnterNewTitle("又一片", "N2", "DVD", "动作");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Row("N2").left(12), "030100000009");

    // The last number taken, in a return line's disc id: refused, and nothing written.
    Sql("insert into returninfo (returnid) values ('03019999999900010001')");
    const int titles = Count("select count(*) from cdinfo");
    EnterNewTitle("再一片", "N3", "DVD", "动作");
    page.CmdSave->click();
    Settle();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("99999999"));
    EXPECT_EQ(Count("select count(*) from cdinfo"), titles);
    EXPECT_TRUE(page.HasPendingEdit());
}

TEST_F(CatalogueSaveTest, AFullPrefixIsRefusedAndNothingIsWritten) {
    AddTitle("031299999999", "Z9", "最后一张", "DVD", "科幻");
    CataloguePage& page = ShowCatalogue();
    EnterNewTitle("再一张", "Z10", "DVD", "科幻");
    page.CmdSave_Click();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("99999999"));
    EXPECT_EQ(Count("select count(*) from cdinfo"), 1);
    EXPECT_TRUE(page.HasPendingEdit()) << "the typed title waits for another format";
    EXPECT_EQ(page.TxtID->text(), "");

    // Another movie type has numbers left.
    page.CboMovieType->setCurrentText("动作");
    page.CmdSave_Click();
    EXPECT_EQ(Row("Z10").left(12), "030100000001");
}

TEST_F(CatalogueSaveTest, TheRequiredFieldsAreCheckedAndNothingIsCommittedMeanwhile) {
    AddTitle("030100000001", "A1", "英雄");
    CataloguePage& page = ShowCatalogue();
    Clear(page.TxtName);
    page.CmdSave->click();
    Settle();
    EXPECT_EQ(Prompts(), std::vector<QString>{"影片名称不能为空！"});
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons, vbOKOnly + vbCritical);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_EQ(Query1("select name from cdinfo"), "英雄");
    EXPECT_TRUE(page.HasPendingEdit()) << "the edit stays for a later save";

    ForgetPrompts();
    Type(page.TxtName, "英雄");
    Clear(page.Text1);
    page.CmdSave->click();
    Settle();
    EXPECT_EQ(Prompts(), std::vector<QString>{"光盘编号不能为空！"});
    EXPECT_EQ(Query1("select id from cdinfo"), "A1");
}

TEST_F(CatalogueSaveTest, EntryTextsThatAreNoAmountOrDateAreRefusedAtTheSave) {
    AddTitle("030100000001", "A1", "英雄");
    CataloguePage& page = ShowCatalogue();
    Clear(page.TxtRemark);
    Type(page.TxtRemark, "备注");
    page.MebSellPrice->SetText("十元");  // typed, not yet left
    page.CmdSave_Click();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].startsWith("出售价格“十元”"));
    EXPECT_EQ(Query1("select coalesce(remark, '') from cdinfo"), "");

    ForgetPrompts();
    page.MebSellPrice->SetText("35");
    page.MebDate->SetText("2024-02-30");
    page.CmdSave_Click();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].startsWith("购买日期“2024-02-30”"));

    ForgetPrompts();
    page.MebDate->SetText("2024-2-3");
    page.CmdSave_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select remark || '/' || sellprice || '/' || buydate from cdinfo"),
              "备注/35.0/2024-02-03");
}

// After a save the rent and sale prices show as the grid shows them; saved again as they
// stand, or used as the defaults of a new title, they are read whole.
TEST_F(CatalogueSaveTest, AfterASaveThePricesShowAsTheGridDoesAndAreReadBackWhole) {
    AddTitle("031200000001", "A1", "英雄", "DVD", "科幻");
    Sql("update cdinfo set sellprice = 1234.5, membersellprice = 987.65");
    CataloguePage& page = ShowCatalogue();
    EXPECT_EQ(page.MebSellPrice->Text(), "1234.5");
    Type(page.TxtName, "传");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(page.MebBorrowPrice->Text(), "￥3.00");
    EXPECT_EQ(page.MebSellPrice->Text(), "￥1,234.50");
    EXPECT_EQ(page.MebMemberBorrowPrice->Text(), "￥3.00");
    EXPECT_EQ(page.MebMemberSellPrice->Text(), "￥987.65");
    EXPECT_EQ(page.MebPrice->Text(), "20");
    EXPECT_EQ(page.MebCount->Text(), "2");

    const QString prices =
        "select printf('%.2f/%.2f/%.2f/%.2f/%.2f', borrowprice, sellprice, memberborrowprice, "
        "membersellprice, price) from cdinfo";
    Type(page.TxtName, "奇");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select name from cdinfo"), "英雄传奇");
    EXPECT_EQ(Query1(prices), "3.00/1234.50/3.00/987.65/20.00");

    Leave(page.MebSellPrice, page.TxtRemark);
    EXPECT_EQ(page.MebSellPrice->Text(), "1234.5");
    EXPECT_DOUBLE_EQ(Catalogue()["sellprice"].ToDouble(), 1234.5);

    page.Command1->click();
    Settle();
    EXPECT_EQ(page.dgCDInfo->Columns(CataloguePage::kColBorrowPrice).Text(), "￥3.00");
    EXPECT_EQ(page.dgCDInfo->Columns(CataloguePage::kColMemberSellPrice).Text(), "￥987.65");
    Type(page.TxtName, "新片");
    Type(page.Text1, "N1");
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1(prices + " where id = 'N1'"), "3.00/1234.50/3.00/987.65/20.00");
}

TEST_F(CatalogueSaveTest, SavingWhileAnotherPageShowsDoesNothing) {
    AddTitle("030100000001", "A1", "英雄");
    CataloguePage& page = ShowCatalogue();
    Clear(page.TxtName);
    Type(page.TxtName, "英雄本色");
    ShowAnotherPage();
    page.CmdSave_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select name from cdinfo"), "英雄");
    EXPECT_TRUE(page.HasPendingEdit());
}

TEST_F(CatalogueSaveTest, AnotherFormatGivesANewIdAndTheOldHistoryKeepsTheOldOne) {
    AddTitle("030100000001", "A1", "英雄", "DVD", "动作");
    AddRental("030100000001", "0001", true);
    CataloguePage& page = ShowCatalogue();
    page.CboType->setCurrentText("VCD");
    page.CmdSave_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select cdid || '/' || type from cdinfo"), "050100000001/VCD");
    EXPECT_EQ(Query1("select borrowid from borrowinfo"), "0301000000010001");
    EXPECT_EQ(page.OldType, "VCD");
    EXPECT_EQ(page.TxtID->text(), "050100000001");

    // Saving again without a change keeps the id.
    page.CmdSave_Click();
    EXPECT_EQ(Query1("select cdid from cdinfo"), "050100000001");
}

TEST_F(CatalogueSaveTest, ATitleWithCopiesOutOrInAnOpenBasketKeepsItsClassification) {
    AddTitle("030100000001", "A1", "英雄", "DVD", "动作");
    AddTitle("030100000002", "A2", "卖片", "DVD", "动作");
    AddRental("030100000001", "0003", false);
    AddSale("030100000002", "0008");
    Data().Add(ShopData::OpenBasket("0008").Sale());
    CataloguePage& page = ShowCatalogue();
    for (int row : {1, 2}) {
        ForgetPrompts();
        Catalogue().SetAbsolutePosition(row);
        page.CboType->setCurrentText("VCD");
        Clear(page.TxtRemark);
        Type(page.TxtRemark, "改了");
        page.CmdSave_Click();
        ASSERT_EQ(Prompts().size(), 1u) << row;
        EXPECT_TRUE(Prompts()[0].contains("不能更改它的光盘格式或影片类型"));
        EXPECT_EQ(Count("select count(*) from cdinfo where type = 'DVD'"), 2);
        EXPECT_EQ(Count(QString("select count(*) from cdinfo where cdid = '03010000000%1' "
                                "and remark is null")
                            .arg(row)),
                  1);
        EXPECT_TRUE(page.HasPendingEdit());

        // Back to its format, the other edits save.
        page.CboType->setCurrentText("DVD");
        page.CmdSave_Click();
        EXPECT_EQ(Prompts().size(), 1u);
        EXPECT_EQ(Count(QString("select count(*) from cdinfo where cdid = '03010000000%1' "
                                "and remark = '改了'")
                            .arg(row)),
                  1);
    }

    // Once the sale basket is settled, the title may change.
    Sql("delete from openbasket");
    page.CboType->setCurrentText("VCD");
    page.CmdSave_Click();
    EXPECT_EQ(Query1("select type from cdinfo where cdid = '050100000001'"), "VCD");
}

namespace {
// Another program holding a write transaction on the shop's file until it goes.
class WriteLockHolder {
  public:
    explicit WriteLockHolder(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    }
    ~WriteLockHolder() { Release(); }
    void Release() {
        if (!db_) return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }

  private:
    sqlite3* db_ = nullptr;
};
}  // namespace

TEST_F(CatalogueSaveTest, ASaveRefusedByALockedFileKeepsTheNewTitlePendingAndWritesItLater) {
    AddTitle("031200000005", "A05", "英雄");
    CataloguePage& page = ShowCatalogue();
    gConn.SetBusyTimeout(20);
    EnterNewTitle("新片", "N1", "DVD", "动作");
    WriteLockHolder other(DbPath());
    page.CmdSave->click();
    Settle();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("正被其他程序使用")) << Prompts()[0].toStdString();
    // Nothing moved: the new row is still there, current, and still being added.
    EXPECT_EQ(Catalogue().RecordCount(), 2);
    EXPECT_EQ(page.dgCDInfo->model()->rowCount(), 2);
    EXPECT_EQ(Catalogue().AbsolutePosition(), 2);
    EXPECT_EQ(Catalogue().EditMode(), adEditAdd);
    EXPECT_EQ(page.Text1->text(), "N1");
    EXPECT_EQ(page.TxtName->text(), "新片");
    EXPECT_TRUE(page.TxtID->text().isEmpty());

    other.Release();
    ForgetPrompts();
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select group_concat(cdid || '|' || id || '|' || name, ',') from "
                     "(select * from cdinfo order by cdid)"),
              "030100000001|N1|新片,031200000005|A05|英雄");
    EXPECT_EQ(Catalogue().RecordCount(), 2);
    EXPECT_FALSE(page.HasPendingEdit());
}

TEST_F(CatalogueSaveTest, AReclassifiedTitleRefusedByALockedFileKeepsItsIdUntilSaved) {
    AddTitle("030100000001", "A1", "英雄", "DVD", "动作");
    AddTitle("030100000002", "A2", "卧虎", "DVD", "动作");
    CataloguePage& page = ShowCatalogue();
    gConn.SetBusyTimeout(20);
    page.CboType->setCurrentText("VCD");
    Clear(page.TxtRemark);
    Type(page.TxtRemark, "改了");
    {
        WriteLockHolder other(DbPath());
        page.CmdSave_Click();
    }
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(page.TxtID->text(), "030100000001");
    EXPECT_EQ(Catalogue().AbsolutePosition(), 1);
    EXPECT_EQ(Catalogue()["cdid"].ToString(), "030100000001");
    EXPECT_EQ(Catalogue()["remark"].ToString(), "改了");
    EXPECT_TRUE(page.HasPendingEdit());

    ForgetPrompts();
    page.CmdSave_Click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select group_concat(cdid || '|' || name || '|' || ifnull(remark, ''), ',') "
                     "from (select * from cdinfo order by cdid)"),
              "030100000002|卧虎|,050100000001|英雄|改了");
}
