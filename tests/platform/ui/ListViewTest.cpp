#include <gtest/gtest.h>

#include "platform/ui/ListView.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

// The rental basket's columns, as the check-out dialog creates them.
void AddBasketColumns(ListView& lvw) {
    lvw.ColumnHeaders().Clear();
    lvw.ColumnHeaders().Add("ID", "光盘编号");
    lvw.ColumnHeaders().Add("BorrowID", "出租编号");
    lvw.ColumnHeaders().Add("MovieName", "影片名称");
    lvw.ColumnHeaders().Add("OutCount", "出租数量");
    lvw.ColumnHeaders()("ID").SetWidth(1300);
    lvw.ColumnHeaders()("MovieName").SetWidth(4700);
    lvw.ColumnHeaders()("OutCount").SetWidth(1100);
    lvw.ColumnHeaders()("BorrowID").SetWidth(0);
}

TEST(ListViewTest, KeyedColumnsAndSubItems) {
    ListView lvw;
    AddBasketColumns(lvw);
    EXPECT_EQ(lvw.ColumnHeaders().Count(), 4);
    EXPECT_EQ(lvw.ColumnHeaders()(3).Key(), "MovieName");
    EXPECT_EQ(lvw.ColumnHeaders()("ID").Width(), 1305) << "1300 twips are 87 pixels";
    EXPECT_EQ(lvw.ColumnHeaders()("BorrowID").Width(), 0);
    EXPECT_TRUE(lvw.isColumnHidden(1));
    EXPECT_EQ(lvw.ColumnHeaders()("MovieName").Text(), "影片名称");

    ListItem* item = lvw.ListItems().Add(lvw.ListItems().Count() + 1, "", "A001");
    item->SetSubItem("BorrowID", "0102030000010001");
    item->SetSubItem("MovieName", "大话西游");
    item->SetSubItem("OutCount", "2");
    lvw.ListItems().Add(0, "k2", "A002")->SetSubItem("BorrowID", "0102030000020001");
    lvw.ListItems().Add(1, "k0", "A000");

    EXPECT_EQ(lvw.ListItems().Count(), 3);
    EXPECT_EQ(item->Index(), 2);
    EXPECT_EQ(lvw.ListItems()(1)->Text(), "A000");
    EXPECT_EQ(lvw.ListItems()("k2")->Text(), "A002");
    EXPECT_EQ(item->SubItems(3), "2");
    EXPECT_EQ(lvw.FindItem("0102030000010001", lvwSubItem), item);
    EXPECT_EQ(lvw.FindItem("A002")->Key(), "k2");
    EXPECT_EQ(lvw.FindItem("nothing"), nullptr);
    EXPECT_THROW(item->SetSubItem("NoSuchColumn", "x"), std::out_of_range);

    lvw.ListItems().Remove(1);
    EXPECT_EQ(item->Index(), 1);
    lvw.ListItems().Clear();
    EXPECT_EQ(lvw.ListItems().Count(), 0);
    lvw.ColumnHeaders().Clear();
    EXPECT_EQ(lvw.ColumnHeaders().Count(), 0);
}

class ListViewCheckTest : public ::testing::Test {
  protected:
    void SetUp() override {
        lvw.SetCheckboxes(true);
        lvw.ColumnHeaders().Add("Copy", "选择归还光盘", 2000);
        for (int n = 1; n <= 3; ++n) lvw.ListItems().Add(0, "", QString("第%1张盘").arg(n));
        QObject::connect(&lvw, &ListView::ItemCheck, [this](ListItem* item) {
            log << QString("%1 %2").arg(item->Index()).arg(item->Checked() ? "ticked" : "unticked");
        });
        QObject::connect(&lvw, &ListView::ItemClick,
                         [this](ListItem* item) { log << QString("click %1").arg(item->Index()); });
        lvw.resize(300, 200);
        ASSERT_TRUE(ShowActive(&lvw));
    }
    ListView lvw;
    QStringList log;
};

TEST_F(ListViewCheckTest, OnlyTheOperatorsTicksRaiseItemCheck) {
    ListItem* second = lvw.ListItems()(2);
    second->SetChecked(true);
    lvw.ListItems()(3)->SetChecked(true);
    second->SetChecked(false);
    EXPECT_TRUE(log.isEmpty()) << "ticks from code raise nothing";

    QTest::mouseClick(lvw.viewport(), Qt::LeftButton, Qt::NoModifier, CheckBoxCentre(&lvw, second));
    EXPECT_TRUE(second->Checked());
    EXPECT_EQ(log, QStringList{"2 ticked"}) << "a tick is no item click";

    log.clear();
    lvw.setCurrentItem(second);
    QTest::keyClick(&lvw, Qt::Key_Space);
    EXPECT_FALSE(second->Checked());
    EXPECT_EQ(log, QStringList{"2 unticked"});
}

TEST_F(ListViewCheckTest, ItemClickByMouseOrKeyboardNotByCode) {
    lvw.SetSelectedItem(lvw.ListItems()(3));
    EXPECT_EQ(lvw.SelectedItem(), lvw.ListItems()(3));
    EXPECT_TRUE(log.isEmpty());

    const QRect row1 = lvw.visualItemRect(lvw.ListItems()(1));
    QTest::mouseClick(lvw.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(row1.right() - 10, row1.center().y()));
    EXPECT_EQ(log, QStringList{"click 1"});
    EXPECT_EQ(lvw.SelectedItem()->Index(), 1);

    QTest::keyClick(&lvw, Qt::Key_Down);
    EXPECT_EQ(log, (QStringList{"click 1", "click 2"}));
}

}  // namespace
