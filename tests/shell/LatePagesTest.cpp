#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "catalogue/CataloguePage.h"
#include "catalogue/SettingsPage.h"
#include "counter/CounterPage.h"
#include "platform/ui/Controls.h"
#include "shell/Startup.h"
#include "tests/shell/MainWindowTest.h"
#include "tests/support/DatabaseDump.h"

// The settings and catalogue pages are built when the operator first shows one of them,
// long after start-up: they must then show what they would have shown from the start.
namespace {
QStringList Items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

QStringList GridColumn(const DataGrid* grid) {
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, 0).data().toString();
    return out;
}

class LatePagesTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Data().AddDiscClassifications();
    }

    // The program as start-up leaves it: loaded, entry unlocked, shown on the counter.
    frmMain& Started() {
        gConn.Close();
        SetToday(2026, 12, 20);
        Main();
        EXPECT_TRUE(frmMain::isLoaded());
        frmMain& main = frmMain::instance();
        EXPECT_TRUE(ShowActive(&main));
        Settle();
        return main;
    }

    static bool IsBuilt(frmMain& main, int page) {
        return !main.SSTab1->widget(page)->objectName().startsWith("PagePlaceholder");
    }

    static void Show(frmMain& main, int button) {
        main.Image3_Click(button);
        Settle();
    }
};
}  // namespace

TEST_F(LatePagesTest, StartUpBuildsTheCounterOnlyAndFillsItsFilters) {
    frmMain& main = Started();
    EXPECT_TRUE(IsBuilt(main, frmMain::kCounter));
    for (int page : {frmMain::kSettings, frmMain::kStatistics, frmMain::kCatalogue,
                     frmMain::kReturns, frmMain::kMembers})
        EXPECT_FALSE(IsBuilt(main, page)) << page;
    EXPECT_EQ(Items(main.Counter->CboTypeFind), (QStringList{"全部", "DVD", "VCD"}));
    EXPECT_EQ(Items(main.Counter->CboMovietypeFind), (QStringList{"全部", "动作", "科幻"}));

    // Either page brings the other: the lists of the one fill the combos of the other.
    Show(main, 4);
    EXPECT_TRUE(IsBuilt(main, frmMain::kSettings));
    EXPECT_TRUE(IsBuilt(main, frmMain::kCatalogue));
    EXPECT_EQ(main.SSTab1->currentIndex(), frmMain::kSettings);
}

TEST_F(LatePagesTest, TheSettingsPageBuiltLateShowsTheSavedSettingsUnlocked) {
    Sql("update pricepercent set percentb = 0.8, percents = 0.75, tax = 1200;"
        "update ForeGift set foregifttype = 2, money = 50, membermoney = 30");
    frmMain& main = Started();
    // Saved by another run after this one started: the page shows what the file holds.
    Sql("insert into movietype (typeid, type) values (4, '爱情')");
    Show(main, 4);
    SettingsPage* page = main.Settings();
    EXPECT_EQ(page->MaskEdBox2->Text(), "80%");
    EXPECT_EQ(page->MaskEdBox3->Text(), "75%");
    EXPECT_EQ(page->MaskEdBox4->Text(), "￥1,200.00");
    EXPECT_TRUE(page->Option3[2]->isChecked());
    EXPECT_EQ(page->Label73->Caption(), "零租用户固定收取");
    EXPECT_EQ(page->MskForeGiftSet->Text(), "50");
    EXPECT_EQ(page->MskMemberForeGiftSet->Text(), "30");
    EXPECT_TRUE(gForeGiftLoaded);
    EXPECT_EQ(GridColumn(page->dgType), (QStringList{"DVD", "VCD"}));
    EXPECT_EQ(GridColumn(page->dgMovieType), (QStringList{"动作", "爱情", "科幻"}));
    for (QPushButton* b : {page->Command4, page->Command6, page->Command7, page->Command8})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_FALSE(page->dgType->Columns(0).Locked());
    EXPECT_FALSE(page->dgMovieType->Columns(0).Locked());
    // Showing the page wrote nothing.
    EXPECT_EQ(Query1("select foregifttype||'/'||money||'/'||membermoney from ForeGift"),
              "2/50.0/30.0");

    // The deposit rule picked on the page built late is written, as on one built at start.
    page->Option3[1]->click();
    Settle();
    EXPECT_EQ(Query1("select foregifttype from ForeGift"), "1");
}

TEST_F(LatePagesTest, ListsChangedBeforeTheCatalogueIsFirstShownAppearInIt) {
    frmMain& main = Started();
    Sql("insert into type (typeid, type) values (7, 'BD')");
    Show(main, 2);
    CataloguePage* c = main.Catalogue();
    EXPECT_EQ(Items(c->CboType), (QStringList{"DVD", "VCD", "BD"}));
    EXPECT_EQ(Items(c->CboManageType), (QStringList{"全部", "DVD", "VCD", "BD"}));
    EXPECT_EQ(c->TypeIDs, (std::vector<int>{3, 5, 7}));
    EXPECT_EQ(Items(c->CboMovieType), (QStringList{"动作", "科幻"}));
    EXPECT_EQ(c->CboType->currentIndex(), -1);
    EXPECT_EQ(c->MebDate->Text(), "2026-12-20");
    for (QWidget* w : c->EntryControls())
        EXPECT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    // The catalogue shown reads the lists for everyone, the counter too.
    EXPECT_EQ(Items(main.Counter->CboTypeFind), (QStringList{"全部", "DVD", "VCD", "BD"}));
}

// Building the settings page reads the lists for it alone: the counter's filter stays as
// the operator set it, as it did when the page was there from the start.
TEST_F(LatePagesTest, ShowingTheSettingsPageFirstLeavesTheCounterFilterAlone) {
    frmMain& main = Started();
    main.Counter->CboTypeFind->setCurrentIndex(2);  // "VCD"
    Settle();
    Show(main, 4);
    Show(main, 0);
    EXPECT_EQ(main.Counter->CboTypeFind->currentText(), "VCD");
    EXPECT_EQ(Items(main.Counter->CboTypeFind), (QStringList{"全部", "DVD", "VCD"}));
}

// A program closed without showing the two pages asks nothing about them and writes nothing.
TEST_F(LatePagesTest, ClosingWithThePagesNeverBuiltAsksAndWritesNothing) {
    Started();
    const QStringList before = DatabaseDump(DbPath());
    EXPECT_TRUE(frmMain::unload());
    EXPECT_TRUE(Prompts().empty());
    const QStringList after = DatabaseDump(DbPath());
    EXPECT_TRUE(after == before) << DumpDifference(before, after).toStdString();
}
