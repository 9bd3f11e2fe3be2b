#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/MainWindow.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/ui/VbKeys.h"
#include "tests/returns/ReturnsTest.h"

namespace {
const QString kHero = "030100000001";   // 英雄
const QString kSold = "030100000002";   // a copy sold
const QString kShelf = "030100000003";  // marked "未借出"

QStringList Names(ReturnPage& page) {
    QStringList names;
    Recordset* rs = page.adoDispBorrow.get();
    const int name = rs->FieldIndex("name");
    for (int i = 1; i <= rs->RecordCount(); ++i) names << rs->ValueAt(i, name).ToString();
    return names;
}

QStringList Period(ReturnPage& page, const char* entry) {
    page.SelectPeriod(QString::fromUtf8(entry));
    return Names(page);
}

void Key(QWidget* w, Qt::Key key) {
    QTest::keyClick(w, key);
    Settle();
}
}  // namespace

class ReturnPageTest : public ReturnsTest {
  protected:
    // Rentals of today, yesterday, the day before (a Sunday), earlier this month and last
    // month; one of a title with a copy sold; none of a title on the shelf or returned whole.
    void AddPeriodRentals() {
        AddTitle(kHero, "英雄", 2, 1);
        AddTitle(kSold, "卧虎藏龙", 2, 1);
        Sql("update cdinfo set issell = 1 where cdid = '030100000002'");
        AddTitle(kShelf, "十面埋伏", 2, 1);
        Sql("update cdinfo set station = '未借出' where cdid = '030100000003'");
        AddLine(Line(kHero, "0001", "今天", "2026-12-08 09:00:00", "&1#"));
        AddLine(Line(kHero, "0002", "昨天", "2026-12-07 09:00:00", "&2#"));
        AddLine(Line(kHero, "0003", "前天", "2026-12-06 09:00:00", "&3#"));
        AddLine(Line(kHero, "0004", "本月", "2026-12-01 09:00:00", "&1#"));
        AddLine(Line(kHero, "0005", "上月", "2026-11-30 23:59:59", "&2#"));
        AddLine(Line(kSold, "0006", "售出", "2026-12-08 08:00:00", "&1#"));
        AddLine(Line(kShelf, "0007", "架上", "2026-12-08 08:30:00", "&1#"));
        Data().Add(Line(kHero, "0008", "还清", "2026-12-08 07:00:00", "&3#").Returned());
    }
};

TEST_F(ReturnPageTest, EveryPeriodListsItsOpenRentalsNewestFirst) {
    AddPeriodRentals();
    ReturnPage& page = OpenPage();
    EXPECT_EQ(Names(page), QStringList({"今天", "售出", "昨天", "前天", "本月", "上月"}))
        << "the page button lists every open rental, a title with a sold copy too";
    EXPECT_EQ(Period(page, "今天借出"), QStringList({"今天", "售出"}));
    EXPECT_EQ(Period(page, "昨天借出"), QStringList({"昨天"}));
    EXPECT_EQ(Period(page, "前天借出"), QStringList({"前天"}));
    EXPECT_EQ(Period(page, "本周借出"), QStringList({"今天", "售出", "昨天"}))
        << "the week began on Monday 12-07; Sunday belongs to the week before";
    EXPECT_EQ(Period(page, "本月借出"), QStringList({"今天", "售出", "昨天", "前天", "本月"}));
    EXPECT_EQ(Period(page, "全部未还光盘").size(), 6);

    // On a Sunday the week is the six days before and Sunday itself; the next Monday's
    // first moment is outside it.
    AddLine(Line(kHero, "0009", "下周一", "2026-12-14 00:00:00", "&1#"));
    SetToday(2026, 12, 13);
    EXPECT_EQ(Period(page, "本周借出"), QStringList({"今天", "售出", "昨天"}));
    // On the 1st, yesterday is the last day of the month before, across the year.
    AddLine(Line(kHero, "0010", "除夕", "2026-12-31 23:00:00", "&2#"));
    SetToday(2027, 1, 1);
    EXPECT_EQ(Period(page, "昨天借出"), QStringList({"除夕"}));
    EXPECT_EQ(Period(page, "本月借出"), QStringList());
    EXPECT_FALSE(page.Command5->isEnabled()) << "an empty list leaves nothing to take back";
}

TEST_F(ReturnPageTest, HeadingClicksSortAscendingThenDescendingAndShareTheDirection) {
    AddPeriodRentals();
    ReturnPage& page = OpenPage();
    page.SelectPeriod("今天借出");
    page.dgBorrow_HeadClick(0);
    EXPECT_EQ(Host().SortDirection, "ASC");
    EXPECT_EQ(Names(page), QStringList({"今天", "售出"}).mid(0, 2)) << "the period stays";
    EXPECT_TRUE(page.adoDispBorrow->Source().endsWith(" order by a.name ASC"));
    page.dgBorrow_HeadClick(0);
    EXPECT_TRUE(page.adoDispBorrow->Source().endsWith(" order by a.name DESC"));
    // A click on the disc number changes no order but turns the direction round.
    page.dgBorrow_HeadClick(1);
    EXPECT_EQ(Host().SortDirection, "ASC");
    EXPECT_TRUE(page.adoDispBorrow->Source().endsWith(" order by a.name DESC"));
    page.dgBorrow_HeadClick(3);
    EXPECT_TRUE(page.adoDispBorrow->Source().endsWith(" order by a.borrowdate DESC"));
    page.dgBorrow_HeadClick(4);
    EXPECT_TRUE(page.adoDispBorrow->Source().endsWith(" order by a.CredenceType ASC"));
}

TEST_F(ReturnPageTest, TheReturnDialogOpensOnlyFromTheShownReturnPage) {
    AddTitle(kHero, "英雄", 2, 1);
    AddLine(Line(kHero, "0001", "张三", "2026-12-07 10:00:00", "&1#"));
    ReturnPage& page = OpenPage();
    ShowAnotherPage();
    page.Command5_Click();
    EXPECT_FALSE(frmControlBack::isLoaded());
    Host().Activate(&page, kReturnButton);
    page.Command5->click();
    Settle();
    ASSERT_TRUE(frmControlBack::isLoaded());
    EXPECT_EQ(frmControlBack::instance().LblBackName->Caption(), "张三");
    EXPECT_TRUE(frmControlBack::instance().isVisible());
}

// A basket checked out at the counter but not settled: no deposit is taken and quitting
// rolls it back, so its lines are no rental yet. They show once it is settled, however the
// page learns of it.
TEST_F(ReturnPageTest, TheBasketStillOpenAtTheCounterIsListedOnlyOnceSettled) {
    AddTitle(kHero, "英雄", 2, 1);
    AddTitle(kSold, "卧虎藏龙", 2, 1);
    AddLine(Line(kHero, "0001", "李四", "2026-12-07 09:00:00", "&1#", 10));
    AddLine(Line(kHero, "0002", "李四", "2026-12-08 09:30:00", "&2#").Set("isnotpaylst", "&2#"));
    AddLine(Line(kSold, "0002", "李四", "2026-12-08 09:30:00", "&1#"));
    Data().Add(ShopData::OpenBasket("0002").By("李四", false));
    ReturnPage& page = OpenPage();
    EXPECT_EQ(Names(page), QStringList({"李四"}));
    EXPECT_TRUE(Period(page, "今天借出").isEmpty()) << "today's lines are the basket's";
    EXPECT_EQ(Period(page, "本周借出"), QStringList({"李四"}));
    page.SelectPeriod("全部未还光盘");
    page.dgBorrow_HeadClick(0);
    EXPECT_EQ(Names(page), QStringList({"李四"})) << "a sorted list leaves it out too";
    page.RequeryDispBorrow();
    EXPECT_EQ(Names(page), QStringList({"李四"}));

    frmControlBack& d = OpenDialog("李四");
    ASSERT_EQ(d.LvwBack->ListItems().Count(), 1) << "the dialog offers the settled line alone";
    EXPECT_EQ(d.LvwBack->ListItems().Item(1)->Text(), kHero + "0001");
    d.Command2->click();
    Settle();

    // Settled at the counter: the announcement alone brings its lines in, sorted as before.
    Sql("delete from openbasket");
    ShopEvents::AnnounceBasketsChanged();
    Settle();
    EXPECT_EQ(Names(page), QStringList({"李四", "李四", "李四"}));
    EXPECT_TRUE(page.adoDispBorrow->Source().endsWith(" order by a.name ASC"));
    frmControlBack& again = OpenDialog("李四");
    EXPECT_EQ(again.LvwBack->ListItems().Count(), 3);

    // A requery leaves out the baskets open as it finds them.
    Data().Add(ShopData::OpenBasket("0002").By("李四", false));
    page.RequeryDispBorrow();
    EXPECT_EQ(Names(page), QStringList({"李四"}));
}

// ---- The detail panel -------------------------------------------------------------------

TEST_F(ReturnPageTest, DetailPanelShowsRentDueUpToNowWithCopiesBackAndOut) {
    AddTitle(kHero, "英雄", 3, 2);
    AddTitle(kSold, "卧虎藏龙", 5, 4, "每次");
    AddMember("000001", 0);
    // Member, per day, three copies; copy 2 back 1.2 days after, now 4.6 days after.
    AddLine(Line(kHero, "0001", "000001", "2026-12-03 19:36:00", "&1#&2#&3#", 30)
                .Set("remark", "雨天'借"));
    AddReturn(kHero + "0001", "0001", "2026-12-05 00:24:00", "&2#");
    // Walk-in, "每次", two copies, one back: every lent copy pays once.
    AddLine(Line(kSold, "0002", "李四", "2026-12-01 10:00:00", "&3#&1#", 0, QString()));
    Sql("update borrowinfo set CredenceType = '证件', Guaranty = null where name = '李四'");
    AddReturn(kSold + "0002", "0002", "2026-12-02 10:00:00", "&1#");

    ReturnPage& page = OpenPage();
    ASSERT_EQ(Names(page), QStringList({"000001", "李四"}));
    EXPECT_EQ(Caption(page.LblUserName), "000001");
    EXPECT_EQ(Caption(page.LblMovieName), "英雄");
    EXPECT_EQ(Caption(page.LblCredence), "现金");
    EXPECT_EQ(Caption(page.Label54), "￥30.00");
    EXPECT_EQ(Caption(page.LblAllCount), "3");
    EXPECT_EQ(Caption(page.LblFactMoney), "￥0.00");
    EXPECT_EQ(Caption(page.LblBorrowDate), "2026年12月3日19:36:00");
    EXPECT_EQ(page.TxtBorrowRemark->toPlainText(), "雨天'借");
    // 1 copy x 1 day x walk-in 3 + 2 copies x 5 days x member 2
    EXPECT_EQ(Caption(page.LblTheoryMoney), "￥23.00");
    EXPECT_EQ(Items(page.ListView3), QStringList({"第2张盘"}));
    EXPECT_EQ(Items(page.ListView2), QStringList({"第1张盘", "第3张盘"}));

    page.adoDispBorrow->MoveNext();
    EXPECT_EQ(Caption(page.LblUserName), "李四");
    EXPECT_EQ(Caption(page.LblCredence), "证件");
    EXPECT_EQ(Caption(page.Label54), "") << "a pledge with no item shows nothing";
    EXPECT_EQ(Caption(page.LblTheoryMoney), "￥10.00") << "每次: 2 copies x 5, one back or not";
    EXPECT_EQ(Items(page.ListView2), QStringList({"第3张盘"}));

    page.SelectPeriod("今天借出");
    EXPECT_EQ(Caption(page.LblUserName), "");
    EXPECT_EQ(Caption(page.LblTheoryMoney), "");
    EXPECT_TRUE(Items(page.ListView2).isEmpty());
    EXPECT_FALSE(page.Command5->isEnabled());
}

TEST_F(ReturnPageTest, DetailPanelCountsDaysHalfToEvenAndAtLeastOne) {
    AddTitle(kHero, "英雄", 2, 2);
    const struct {
        const char* when;
        const char* due;
    } cases[] = {
        {"2026-12-05 00:24:00", "￥12.00"},  // 3.4 days: 3 x 2 copies x 2
        {"2026-12-05 22:00:00", "￥8.00"},   // 2.5 days: 2
        {"2026-12-04 22:00:00", "￥16.00"},  // 3.5 days: 4
        {"2026-12-08 04:00:00", "￥4.00"},   // 6 hours: 1
    };
    int no = 1;
    for (const auto& c : cases)
        AddLine(Line(kHero, QString("%1").arg(no++, 4, 10, QChar('0')), c.when, c.when, "&1#&2#"));
    ReturnPage& page = OpenPage();
    for (const auto& c : cases) {
        ASSERT_TRUE(page.adoDispBorrow->Find(QStringLiteral("name = '%1'").arg(c.when), 0,
                                             adSearchForward, page.adoDispBorrow->BookmarkAt(1)));
        EXPECT_EQ(Caption(page.LblTheoryMoney), QString::fromUtf8(c.due)) << c.when;
    }
}

// ---- The search box ---------------------------------------------------------------------

class ReturnSearchTest : public ReturnsTest {
  protected:
    void SetUp() override {
        ReturnsTest::SetUp();
        AddTitle(kHero, "英雄", 2, 1);  // key "yx"
        AddTitle(kSold, "卧虎藏龙", 2, 1);
        AddMember("000123", 0);
        AddLine(Line(kSold, "0001", "王五", "2026-12-08 09:00:00", "&1#"));
        AddLine(Line(kHero, "0002", "张三", "2026-12-08 08:00:00", "&1#"));
        AddLine(Line(kSold, "0003", "000123", "2026-12-08 07:00:00", "&2#"));
        AddLine(Line(kSold, "0004", "张山", "2026-12-08 06:00:00", "&3#"));
    }
    QLineEdit* Box() { return Page().TxtFindBack; }
    void Search(const QString& text) {
        Box()->setFocus();
        Box()->setText(text);
        Key(Box(), Qt::Key_Return);
    }
    QString Current() { return Page().adoDispBorrow->Fields("name").GetValue().ToString(); }
};

TEST_F(ReturnSearchTest, EnterFindsDownGoesOnUpGoesBackEnterAgainOpensTheDialog) {
    ReturnPage& page = OpenPage();
    Key(Box(), Qt::Key_Down);
    EXPECT_EQ(Current(), "王五") << "Down before any search does nothing";
    Search("zs");
    EXPECT_EQ(Current(), "张三") << "the initials of a walk-in name";
    EXPECT_EQ(Caption(page.LblFindBackCount), "找到1个光盘");
    EXPECT_EQ(Caption(page.LblUserName), "张三") << "the panel follows the hit";
    Key(Box(), Qt::Key_Down);
    EXPECT_EQ(Current(), "张山");
    EXPECT_EQ(page.dgBorrow->SelBookmarks().Count(), 2) << "both hits are marked";
    Key(Box(), Qt::Key_Up);
    EXPECT_EQ(Current(), "张三");
    Key(Box(), Qt::Key_Up);
    EXPECT_EQ(Current(), "张三") << "Up at the first hit does nothing";
    Key(Box(), Qt::Key_Down);
    EXPECT_EQ(Current(), "张山") << "Down steps forward among the hits without searching";
    EXPECT_FALSE(frmControlBack::isLoaded());
    Key(Box(), Qt::Key_Return);
    ASSERT_TRUE(frmControlBack::isLoaded()) << "Enter again opens the return dialog";
    EXPECT_EQ(frmControlBack::instance().LblBackName->Caption(), "张山");
}

TEST_F(ReturnSearchTest, MemberNumbersAndFilmKeysAreFoundAndNoMatchKeepsTheFirstRow) {
    ReturnPage& page = OpenPage();
    Search("000123");
    EXPECT_EQ(Current(), "000123");
    Search("YX");
    EXPECT_EQ(Current(), "张三") << "the film's key, typed in capitals";
    page.LblFindBackCount->SetCaption("找到1个光盘");
    Search("qqq");
    EXPECT_EQ(Current(), "王五");
    EXPECT_EQ(page.Search.FindIndex, -1);
    EXPECT_EQ(page.dgBorrow->SelBookmarks().Count(), 0);
    EXPECT_EQ(Caption(page.LblFindBackCount), "找到1个光盘") << "the label keeps its text";
    EXPECT_TRUE(page.Command5->isEnabled());
}

TEST_F(ReturnSearchTest, EnterOnAnEmptyBoxOpensTheDialogOnlyWhenARowIsCurrent) {
    ReturnPage& page = OpenPage();
    Box()->setFocus();
    Key(Box(), Qt::Key_Return);
    ASSERT_TRUE(frmControlBack::isLoaded());
    EXPECT_EQ(frmControlBack::instance().LblBackName->Caption(), "王五");
    frmControlBack::unload();
    Settle();
    page.SelectPeriod("昨天借出");
    Key(Box(), Qt::Key_Return);
    EXPECT_FALSE(frmControlBack::isLoaded());
}

TEST_F(ReturnSearchTest, EveryRefillForgetsTheHitsAndTheMarks) {
    ReturnPage& page = OpenPage();
    Search("zs");
    ASSERT_EQ(page.Search.FindCount, 1);
    page.dgBorrow_HeadClick(0);  // names ascending: the old positions mean other rentals now
    EXPECT_EQ(page.Search.FindCount, 0);
    EXPECT_EQ(page.dgBorrow->SelBookmarks().Count(), 0);
    const QString first = Current();
    Key(Box(), Qt::Key_Up);
    Key(Box(), Qt::Key_Down);
    EXPECT_EQ(Current(), first) << "no stale hit is jumped to";
    Key(Box(), Qt::Key_Return);
    EXPECT_FALSE(frmControlBack::isLoaded()) << "the next Enter searches afresh";
    EXPECT_EQ(Current(), "张三");
}

class LongSearchTest : public ReturnsTest {
  protected:
    void SetUp() override {
        ReturnsTest::SetUp();
        AddTitle(kHero, "英雄", 2, 1);
        for (int i = 1; i <= 70; ++i)
            AddLine(Line(kHero, QString("%1").arg(i, 4, 10, QChar('0')),
                         QString("客%1").arg(i, 3, 10, QChar('0')),
                         QString("2026-12-08 %1:00:00").arg(i % 10, 2, 10, QChar('0')), "&1#"));
    }
};

TEST_F(LongSearchTest, EscStopsTheWalkAndARefillDuringTheWalkEndsItCleanly) {
    ReturnPage& page = OpenPage();
    page.TxtFindBack->setText("nothing");
    QTimer::singleShot(0, [] { MainWindow::Get()->SearchCancel = true; });
    page.TxtFindBack->setFocus();
    Key(page.TxtFindBack, Qt::Key_Return);
    EXPECT_FALSE(Host().SearchCancel) << "the walk took the Esc";
    EXPECT_FALSE(Host().Searching);
    EXPECT_EQ(page.Search.FindPos, 0) << "stopped at its first pause";
    EXPECT_EQ(page.adoDispBorrow->AbsolutePosition(), 1);

    // A refill while the walk pauses: the walk stops touching the old list.
    page.TxtFindBack->setText("客070");
    int keysDuringWalk = 0;
    QTimer::singleShot(0, [&] {
        int code = vbKeyReturn;
        page.Search.KeyDown(code, 0);  // a second Enter while the walk runs does nothing
        ++keysDuringWalk;
        page.SelectPeriod("全部未还光盘");
    });
    Key(page.TxtFindBack, Qt::Key_Return);
    EXPECT_EQ(keysDuringWalk, 1);
    EXPECT_FALSE(Host().Searching);
    EXPECT_FALSE(page.Search.Walking());
    EXPECT_EQ(page.Search.FindCount, 0);
    EXPECT_FALSE(frmControlBack::isLoaded());
    Key(page.TxtFindBack, Qt::Key_Return);
    EXPECT_EQ(page.adoDispBorrow->Fields("name").GetValue().ToString(), "客070")
        << "the next Enter searches the new list to its end";
}

// A list longer than the first rows read: it counts every open rental at once, and lists,
// sorts and shows each of them as a list read whole would, the last ones included.
TEST_F(ReturnPageTest, ALongListIsReadOnDemandAndShowsEveryOpenRental) {
    AddTitle(kHero, "英雄", 2, 1);
    QStringList newestFirst;
    for (int i = 1; i <= 240; ++i) {
        const QString customer = QString("客%1").arg(i, 3, 10, QChar('0'));
        const QString when = QDateTime(QDate(2026, 1, 1), QTime(9, 0))
                                 .addSecs(3600 * i)
                                 .toString("yyyy-MM-dd hh:mm:ss");
        AddLine(Line(kHero, QString("%1").arg(i, 4, 10, QChar('0')), customer, when, "&1#"));
        newestFirst.prepend(customer);
    }
    ReturnPage& page = OpenPage();
    EXPECT_EQ(page.adoDispBorrow->RecordCount(), 240);
    EXPECT_EQ(Names(page), newestFirst);
    page.adoDispBorrow->SetAbsolutePosition(230);
    EXPECT_EQ(Caption(page.LblUserName), "客011") << "the panel shows a row far down";
    Host().SortDirection = "";
    page.dgBorrow_HeadClick(0);
    QStringList byName = newestFirst;
    byName.sort();
    EXPECT_EQ(Names(page), byName);
    // A write on the connection first reads what is left of the list, which then stays
    // as it was read.
    page.SelectPeriod("全部未还光盘");
    gConn.Execute("update borrowinfo set isreturnall = 1 where name = '客001'");
    EXPECT_EQ(Names(page), newestFirst);
}

// A list longer than its first rows takes its count from a statement of its own: in every
// period it is the number of rows the list then reads, with lines whose title is gone, on
// the shelf, of no state, of a key differing only in case, or of a key longer than a line's.
TEST_F(ReturnPageTest, ALongListCountsExactlyTheRowsItReadsWhateverTheirTitles) {
    AddTitle(kHero, "英雄", 2, 1);
    AddTitle(kShelf, "十面埋伏", 2, 1);
    Sql("update cdinfo set station = '未借出' where cdid = '030100000003'");
    AddTitle("030100000004", "无状态", 2, 1);
    Sql("update cdinfo set station = null where cdid = '030100000004'");
    AddTitle("A30100000005", "大写", 2, 1);
    const QString titles[] = {kHero, kShelf, "030100000004", "a30100000005", "039900000009"};
    for (int i = 1; i <= 600; ++i) {
        const QString when = QDateTime(QDate(2026, 11, 20), QTime(9, 0))
                                 .addSecs(3600 * i)
                                 .toString("yyyy-MM-dd hh:mm:ss");
        const QString& title = titles[i % 5];
        AddLine(Line(i % 7 == 0 ? kHero + "77" : title, QString("%1").arg(i, 4, 10, QChar('0')),
                     QString("客%1").arg(i), when, "&1#"));
    }
    ReturnPage& page = OpenPage();
    for (int entry = 0; entry < page.CboSelTime->count(); ++entry) {
        const QString period = page.CboSelTime->itemText(entry);
        page.SelectPeriod(period);
        const ReturnPage::ListStatement list = ReturnPage::ListOf(entry, Today());
        Recordset whole;
        whole.Open(list.sql, gConn, adLockReadOnly, list.params);
        EXPECT_EQ(page.adoDispBorrow->RecordCount(), whole.RecordCount()) << period.toStdString();
        EXPECT_EQ(gConn.Scalar(list.count, list.params).ToInt(), whole.RecordCount())
            << period.toStdString();
    }
    page.SelectPeriod("全部未还光盘");
    EXPECT_GT(page.adoDispBorrow->RecordCount(), 100) << "long enough to be counted";
}
