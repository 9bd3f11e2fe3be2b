#include <QApplication>

#include "tests/counter/CounterFixture.h"

namespace {
class FocusSkipTest : public CounterFixture {
  protected:
    // The operator presses Tab from the search box until the focus comes back to it: the
    // controls it stopped at, by name.
    QStringList TabWalk() {
        Page().TxtFind->setFocus();
        Settle();
        QStringList stops;
        for (int i = 0; i < 80; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            Settle();
            QWidget* at = QApplication::focusWidget();
            if (at == Page().TxtFind) return stops;
            stops << (at ? at->objectName() : QString("(none)"));
        }
        stops << "(no wrap)";
        return stops;
    }

    // Every basket control takes input, as with a basket open.
    void EnableBaskets() {
        CounterPage& p = Page();
        for (QWidget* w : std::initializer_list<QWidget*>{
                 p.CmdBorrowEdit, p.CmdDel, p.CmdTax, p.TxtCredence, p.CmdSellEdit, p.CmdDelSellCD,
                 p.CmdSellTax, p.MskFactSellMoney})
            w->setEnabled(true);
    }

    QStringList RentalSet() {
        return {"CboStation", "CmdBorrow", "CmdBorrowEdit", "CmdDel", "CmdTax", "TxtCredence"};
    }
    QStringList SaleSet() {
        return {"Command15", "CmdSellEdit", "CmdDelSellCD", "CmdSellTax", "MskFactSellMoney"};
    }
};
}  // namespace

// A real Tab walks the shown controls of the page and wraps round; the other mode's
// controls are never stopped at.
TEST_F(FocusSkipTest, TabWalksTheShownControlsOfEachModeAndWraps) {
    Add(Title("030100000001", "A1", "英雄"));
    Open(kSaleButton);
    EnableBaskets();
    const QStringList sale = TabWalk();
    for (const QString& name : RentalSet()) EXPECT_FALSE(sale.contains(name)) << name.toStdString();
    for (const QString& name : SaleSet()) EXPECT_TRUE(sale.contains(name)) << name.toStdString();
    EXPECT_TRUE(sale.contains("dgDispCDInfo"));
    EXPECT_TRUE(sale.contains("CboDegree"));
    EXPECT_FALSE(sale.contains("(no wrap)"));

    Press(kRentalButton);
    const QStringList rental = TabWalk();
    for (const QString& name : SaleSet()) EXPECT_FALSE(rental.contains(name)) << name.toStdString();
    for (const QString& name : RentalSet())
        EXPECT_TRUE(rental.contains(name)) << name.toStdString();
    EXPECT_FALSE(rental.contains("(no wrap)"));
}

// A hidden control given the focus some other way (a shortcut, a click in code) passes it
// on at once; a shown one keeps it.
TEST_F(FocusSkipTest, AHiddenControlNeverKeepsTheFocus) {
    Add(Title("030100000001", "A1", "英雄"));
    CounterPage& page = Open(kSaleButton);
    EnableBaskets();
    for (QWidget* w : std::initializer_list<QWidget*>{page.TxtCredence, page.CmdTax,
                                                      page.CboStation, page.CmdBorrow}) {
        w->setFocus();
        Settle();
        EXPECT_NE(QApplication::focusWidget(), w) << w->objectName().toStdString();
    }
    page.MskFactSellMoney->setFocus();
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), page.MskFactSellMoney);

    Press(kRentalButton);
    EnableBaskets();
    for (QWidget* w :
         std::initializer_list<QWidget*>{page.MskFactSellMoney, page.Command15, page.CmdSellTax}) {
        w->setFocus();
        Settle();
        EXPECT_NE(QApplication::focusWidget(), w) << w->objectName().toStdString();
    }
    page.TxtCredence->setFocus();
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), page.TxtCredence);
}
