#include <QTimer>

#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "tests/counter/CounterFixture.h"

namespace {
class CounterSearchTest : public CounterFixture {
  protected:
    void TearDown() override {
        frmControlBorrow::unload();
        frmControlSell::unload();
        CounterFixture::TearDown();
    }

    // Titles A01..An with names that match nothing typed below, and the given ones among
    // them: their keys are the initials of their names and their disc numbers.
    void AddTitles(int n, const std::map<int, QString>& named = {}) {
        for (int i = 1; i <= n; ++i) {
            const QString id = QString("A%1").arg(i, 2, 10, QChar('0'));
            const auto it = named.find(i);
            const QString name = it == named.end() ? QStringLiteral("片") : it->second;
            Add(Title(QString("0301%1").arg(i, 8, 10, QChar('0')), id, name));
        }
    }

    // The operator types into the search box and presses a key there.
    void TypeText(const QString& text) {
        Page().TxtFind->clear();
        Type(Page().TxtFind, text);
    }
    void Key(Qt::Key key) {
        QTest::keyClick(Page().TxtFind, key);
        Settle();
    }
    // Something that happens while the next scan yields for the first time.
    void DuringTheScan(std::function<void()> what) { QTimer::singleShot(0, &Page(), what); }

    int SelectedRows() { return Page().dgDispCDInfo->SelBookmarks().Count(); }
};
}  // namespace

// Three titles match: Enter shows the first and counts 1; Down twice finds the second and
// third, each highlighted; Up returns to the second; Down goes to the third without a scan.
TEST_F(CounterSearchTest, EnterDownAndUpWalkThroughTheMatches) {
    AddTitles(8, {{2, "英雄"}, {5, "英雄本色"}, {7, "一笑"}});
    CounterPage& page = Open();
    TypeText("yx");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A02");
    EXPECT_EQ(page.LblName->Caption(), "英雄");
    EXPECT_EQ(page.Label43->Caption(), "找到1个光盘");
    EXPECT_EQ(SelectedRows(), 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A05");
    EXPECT_EQ(page.LblName->Caption(), "英雄本色");
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A07");
    EXPECT_EQ(SelectedRows(), 3);
    EXPECT_EQ(Search().SearchHits, (std::vector<int>{1, 4, 6}));
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), "A05");
    EXPECT_EQ(page.TxtFind->cursorPosition(), 2) << "the caret goes to the end after Up";
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A07");
    EXPECT_EQ(Search().SearchHitCount, 3);
    // Nothing after the last: the scan runs to the end and the list stays on the last match.
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A07");
    EXPECT_EQ(Search().SearchHitIndex, 2);
    EXPECT_EQ(page.Label43->Caption(), "找到1个光盘") << "only Enter counts";
}

// Upper-case input finds lower-case keys; digits, Latin letters and the disc number are in
// the key as typed in the catalogue.
TEST_F(CounterSearchTest, InitialsDigitsLettersAndDiscNumbersAreFound) {
    AddTitles(3, {{1, "花样年华"}, {2, "2046"}, {3, "Matrix黑客"}});
    CounterPage& page = Open();
    TypeText("HYNH");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A01");
    TypeText("2046");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A02");
    TypeText("trixhk");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A03");
    TypeText("a02");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A02");
    EXPECT_EQ(page.LblName->Caption(), "2046");
}

// No match: the list returns to its first row and the label keeps its text; Up does
// nothing, and Down scans the rest again and returns to the first row.
TEST_F(CounterSearchTest, NoMatchReturnsToTheFirstRow) {
    AddTitles(5, {{3, "英雄"}});
    CounterPage& page = Open();
    TypeText("yx");
    Key(Qt::Key_Return);
    EXPECT_EQ(page.Label43->Caption(), "找到1个光盘");
    TypeText("zzz");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A01");
    EXPECT_EQ(page.Label43->Caption(), "找到1个光盘");
    EXPECT_EQ(SelectedRows(), 0) << "a new search clears the highlights";
    EXPECT_EQ(Search().SearchHitIndex, -1);
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), "A01");
    page.adoDispCDInfo->MoveLast();
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A01");
    EXPECT_TRUE(page.CmdBorrow->isEnabled());
}

// Enter on an empty box, or again on the same text, starts the check-out of the title under
// the cursor in the mode shown; with the buttons disabled nothing happens.
TEST_F(CounterSearchTest, EnterWithNothingNewToSearchChecksOutTheCurrentTitle) {
    AddTitles(3, {{2, "英雄"}});
    Add(Title("030200000009", "Z9", "全出").Copies(1).Set("station", "全部借出"));
    Add(ShopData::Rental("030200000009", "0001"));
    CounterPage& page = Open();
    int rentals = 0;
    int sales = 0;
    QObject::connect(page.CmdBorrow, &QPushButton::clicked, [&] { ++rentals; });
    QObject::connect(page.Command15, &QPushButton::clicked, [&] { ++sales; });
    TypeText("yx");
    Key(Qt::Key_Return);
    EXPECT_EQ(rentals, 0);
    Key(Qt::Key_Return);
    EXPECT_EQ(rentals, 1);
    ASSERT_TRUE(frmControlBorrow::isLoaded());
    EXPECT_EQ(frmControlBorrow::instance().LblCDID->Caption(), "030100000002");
    frmControlBorrow::unload();
    Settle();

    Press(kSaleButton);
    EXPECT_EQ(page.TxtFind->text(), "");
    Key(Qt::Key_Return);
    EXPECT_EQ(sales, 1);
    EXPECT_EQ(rentals, 1);
    frmControlSell::unload();
    Settle();

    page.adoDispCDInfo->MoveLast();
    EXPECT_FALSE(page.Command15->isEnabled());
    Key(Qt::Key_Return);
    EXPECT_EQ(sales, 1);
}

// Esc during the scan of an Enter stops it at the next multiple of 30 records and the list
// returns to its first row; during a Down's scan, it returns to the last match found, and
// the earlier ones stay reachable with Up.
TEST_F(CounterSearchTest, EscStopsTheScan) {
    AddTitles(100, {{40, "英雄"}, {95, "英雄"}});
    CounterPage& page = Open();
    page.adoDispCDInfo->Move(3);
    TypeText("yx");
    DuringTheScan([&] { QTest::keyClick(page.TxtFind, Qt::Key_Escape); });
    Key(Qt::Key_Return);
    EXPECT_EQ(Search().SearchPos, 0) << "stopped at the first yield";
    EXPECT_EQ(Search().SearchHitCount, 0);
    EXPECT_EQ(Current(), "A01");
    EXPECT_FALSE(Host().SearchCancel) << "the scan clears the flag when it stops";

    TypeText("yx");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A40");
    DuringTheScan([&] { QTest::keyClick(page.TxtFind, Qt::Key_Escape); });
    Key(Qt::Key_Down);
    EXPECT_EQ(Search().SearchPos, 60) << "the first yield of a scan from record 40";
    EXPECT_EQ(Current(), "A40");
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A95");
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), "A40");
}

// A refill (a filter, a heading, a check-out) forgets the matches: Up does nothing until a
// match is found again, Down scans on from the record after the current one; Enter with the
// text unchanged checks out the title the list shows.
TEST_F(CounterSearchTest, ARefillForgetsTheMatches) {
    AddTitles(5, {{2, "英雄"}, {4, "英雄"}});
    CounterPage& page = Open();
    TypeText("yx");
    Key(Qt::Key_Return);
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A04");
    page.dgDispCDInfo_HeadClick(0);
    page.dgDispCDInfo_HeadClick(0);  // disc numbers descending: A05 A04 A03 A02 A01
    EXPECT_EQ(Search().SearchHitCount, 0);
    EXPECT_EQ(Search().SearchHits, (std::vector<int>{-1}));
    EXPECT_EQ(Search().SearchHitIndex, -1);
    EXPECT_EQ(Search().SearchPos, 0);
    EXPECT_EQ(Current(), "A05");
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), "A05");
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A04");
    Key(Qt::Key_Down);
    EXPECT_EQ(Current(), "A02");
    Key(Qt::Key_Up);
    EXPECT_EQ(Current(), "A04");

    int rentals = 0;
    QObject::connect(page.CmdBorrow, &QPushButton::clicked, [&] { ++rentals; });
    Pick(page.CboDegree, "全部");
    Key(Qt::Key_Return);  // the text is unchanged: Enter checks out the title shown
    EXPECT_EQ(rentals, 1);
    EXPECT_EQ(frmControlBorrow::instance().LblCDID->Caption(), "030100000001");
}

// While a scan yields, Enter, Up and Down in the box are ignored (no second scan starts),
// and a refill stops the scan for good: it touches nothing of the new list.
TEST_F(CounterSearchTest, AScanIsNeverReEnteredAndARefillStopsIt) {
    AddTitles(100, {{95, "英雄"}});
    CounterPage& page = Open();
    TypeText("yx");
    bool frameSearching = false;
    DuringTheScan([&] {
        frameSearching = Host().Searching;
        QTest::keyClick(page.TxtFind, Qt::Key_Return);
        QTest::keyClick(page.TxtFind, Qt::Key_Down);
        QTest::keyClick(page.TxtFind, Qt::Key_Up);
    });
    Key(Qt::Key_Return);
    EXPECT_TRUE(frameSearching) << "the scan holds the main window's one search flag";
    EXPECT_FALSE(Host().Searching);
    EXPECT_EQ(Current(), "A95");
    EXPECT_EQ(Search().SearchHitCount, 1);
    EXPECT_EQ(SelectedRows(), 1);
    EXPECT_FALSE(frmControlBorrow::isLoaded()) << "the Enter during the scan did not check out";

    TypeText("yx");
    DuringTheScan([&] { Pick(page.CboTypeFind, "DVD"); });
    Key(Qt::Key_Return);
    EXPECT_FALSE(Search().Searching());
    EXPECT_EQ(Search().SearchHitCount, 0);
    EXPECT_EQ(Current(), "A01") << "the new list shows its first row";
    EXPECT_EQ(SelectedRows(), 0);
    EXPECT_TRUE(Search().SearchTextChanged) << "the next Enter searches the new list";
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "A95");
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(CounterSearchTest, AnEmptyListFindsNothingAndKeepsTheButtonsDisabled) {
    CounterPage& page = Open();
    TypeText("yx");
    Key(Qt::Key_Return);
    Key(Qt::Key_Down);
    Key(Qt::Key_Up);
    EXPECT_FALSE(page.CmdBorrow->isEnabled());
    EXPECT_EQ(Search().SearchHitCount, 0);
    EXPECT_TRUE(Prompts().empty());
}

// A list longer than what the grid first reads: counted whole at once, the scan finds
// titles far down it, and a refill after a write on the connection shows the write.
TEST_F(CounterSearchTest, ALongListIsCountedWholeAndSearchedToItsEnd) {
    AddTitles(99, {{3, "英雄"}});
    for (int i = 100; i <= 260; ++i)
        Add(Title(QString("0301%1").arg(i, 8, 10, QChar('0')), QString("B%1").arg(i),
                  i == 250 ? QStringLiteral("英雄本色") : QStringLiteral("片")));
    CounterPage& page = Open();
    EXPECT_EQ(page.LblCDCount->Caption(), "260");
    TypeText("yxbs");
    Key(Qt::Key_Return);
    EXPECT_EQ(Current(), "B250");
    EXPECT_EQ(page.LblName->Caption(), "英雄本色");

    gConn.Execute("update cdinfo set issell = 2 where id = 'B260'");
    page.SetDispSourse("");
    EXPECT_EQ(page.LblCDCount->Caption(), "259");
    EXPECT_EQ(Page().dgDispCDInfo->model()->rowCount(), 259);
}
