#include <QLabel>
#include <QTimer>

#include "catalogue/frmFind.h"
#include "tests/catalogue/CatalogueFixture.h"

namespace {
const char* const kEnd = "已经查找到文件尾！";

class FindDialogTest : public CatalogueFixture {
  protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        AddTitle("030100000001", "A1", "英雄", "DVD", "动作", " yx lxj a1");
        AddTitle("031200000001", "A2", "星球大战", "DVD", "科幻", " xqdz a2");
        AddTitle("031200000002", "A3", "星球大战2", "DVD", "科幻", " xqdz hfd a3");
        Sql("insert into cdinfo (cdid, id, name) values ('000000000009', 'N9', '无键')");
    }
    void TearDown() override {
        frmFind::unload();
        Settle();
        CatalogueFixture::TearDown();
    }
    frmFind& OpenFind() {
        ShowCatalogue().Command9->click();
        Settle();
        return frmFind::instance();
    }
    QString Current() { return Catalogue().AtEOF() ? "EOF" : Catalogue()["id"].ToString(); }
};
}  // namespace

TEST_F(FindDialogTest, TheDialogShowsOnlyFromTheCataloguePage) {
    CataloguePage& page = ShowCatalogue();
    ShowAnotherPage();
    page.Command9_Click();
    EXPECT_FALSE(frmFind::isLoaded());
    ShowCataloguePage();
    page.Command9->click();
    Settle();
    ASSERT_TRUE(frmFind::isLoaded());
    frmFind& find = frmFind::instance();
    EXPECT_TRUE(find.isVisible());
    EXPECT_EQ(find.windowTitle(), "查找");
    EXPECT_EQ(find.Owner(), &Host());
    EXPECT_EQ(find.Label1->text(), "请输入影片名称、演员姓名的拼音缩写");
}

TEST_F(FindDialogTest, FindAndFindNextWalkTheMatchesIgnoringCase) {
    frmFind& find = OpenFind();
    find.Text1->setText("XQ");
    find.Command1->click();
    EXPECT_EQ(Current(), "A2");
    EXPECT_EQ(Page().TxtName->text(), "星球大战") << "the entry follows the hit";
    EXPECT_EQ(find.DefaultButton(), find.Command2);
    EXPECT_TRUE(find.Command2->isDefault());

    find.Command2->click();
    EXPECT_EQ(Current(), "A3");
    EXPECT_TRUE(Prompts().empty());

    find.Command2->click();
    EXPECT_EQ(Current(), "EOF");
    EXPECT_EQ(Prompts(), std::vector<QString>{kEnd});
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "文件尾");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(find.DefaultButton(), find.Command3);

    // Find starts from the first title again.
    find.Text1->setText("A3");
    find.Command1->click();
    EXPECT_EQ(Current(), "A3");
    EXPECT_TRUE(find.isVisible()) << "the dialog stays open";
}

TEST_F(FindDialogTest, ATextNoKeyHoldsRunsToTheEnd) {
    frmFind& find = OpenFind();
    find.Text1->setText("zzz");
    find.Command1->click();
    EXPECT_EQ(Current(), "EOF");
    EXPECT_EQ(Prompts(), std::vector<QString>{kEnd});
    EXPECT_EQ(find.DefaultButton(), find.Command3);
}

TEST_F(FindDialogTest, AnEmptyTextMovesNothing) {
    frmFind& find = OpenFind();
    Catalogue().SetAbsolutePosition(2);
    find.Command1->click();
    find.Command2->click();
    EXPECT_EQ(Current(), "A2");
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(find.DefaultButton(), find.Command2);

    Catalogue().MoveLast();
    Catalogue().MoveNext();
    find.Command1->click();
    EXPECT_EQ(Prompts(), std::vector<QString>{kEnd});
}

TEST_F(FindDialogTest, EnterPressesTheDefaultButton) {
    frmFind& find = OpenFind();
    ASSERT_TRUE(ShowActive(&find));
    find.Text1->setFocus();
    find.Text1->setText("a");
    QTest::keyClick(find.Text1, Qt::Key_Return);
    Settle();
    EXPECT_EQ(Current(), "A1") << "Enter ran 查找";
    QTest::keyClick(find.Text1, Qt::Key_Return);
    Settle();
    EXPECT_EQ(Current(), "A2") << "then 查找下一个";
}

TEST_F(FindDialogTest, EscStopsARunningSearchOnTheTitleReached) {
    for (int n = 10; n < 100; ++n)
        AddTitle(QString("0301000000%1").arg(n), QString("B%1").arg(n), "片", "DVD", "动作", "zz");
    frmFind& find = OpenFind();
    find.Text1->setText("nothing");
    ASSERT_TRUE(ShowActive(&find));
    // Esc arrives at the search's first yield.
    QTimer::singleShot(0, &find, [&find] { QTest::keyClick(find.Text1, Qt::Key_Escape); });
    find.Command1_Click();
    EXPECT_TRUE(find.StopFind);
    EXPECT_EQ(Catalogue().AbsolutePosition(), 1);
    EXPECT_TRUE(Prompts().empty());

    // Find next yields at its first visit too: it stops on the title after the current one.
    QTimer::singleShot(0, &find, [&find] { QTest::keyClick(find.Text1, Qt::Key_Escape); });
    find.Command2_Click();
    EXPECT_EQ(Catalogue().AbsolutePosition(), 2);
}

TEST_F(FindDialogTest, CancelClosesTheDialogAndStopsItsSearch) {
    frmFind& find = OpenFind();
    find.Text1->setText("nothing");
    QPointer<frmFind> dialog(&find);
    QTimer::singleShot(0, &find, [&find] { find.Command3->click(); });
    find.Command1_Click();
    Settle();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_FALSE(frmFind::isLoaded());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Current(), "A1") << "the catalogue did not move";
}

TEST_F(FindDialogTest, FindingSavesTheEditFirstAndARefusalDoesNotMove) {
    frmFind& find = OpenFind();
    Clear(Page().TxtName);
    find.Text1->setText("xq");
    find.Command1->click();
    EXPECT_EQ(Prompts(), std::vector<QString>{"影片名称不能为空！"});
    EXPECT_EQ(Current(), "A1");
    EXPECT_EQ(Query1("select name from cdinfo where id = 'A1'"), "英雄");

    ForgetPrompts();
    Type(Page().TxtName, "英雄本色");
    find.Command1->click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Current(), "A2");
    EXPECT_EQ(Query1("select name from cdinfo where id = 'A1'"), "英雄本色");
}

TEST_F(FindDialogTest, AnUntouchedNewTitleIsDroppedNotWrittenHalfFilled) {
    frmFind& find = OpenFind();
    Page().Command1->click();
    Settle();
    find.Text1->setText("yx");
    find.Command1->click();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Current(), "A1");
    EXPECT_EQ(Catalogue().RecordCount(), 4);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 4);

    // A new title with a name but no disc number is refused, not written.
    Page().Command1->click();
    Settle();
    Type(Page().TxtName, "半截");
    find.Command1->click();
    EXPECT_EQ(Prompts(), std::vector<QString>{"光盘编号不能为空！"});
    EXPECT_EQ(Catalogue().EditMode(), adEditAdd);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 4);
}
