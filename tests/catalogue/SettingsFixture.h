#pragma once
#include <QLineEdit>

#include "catalogue/ClassificationList.h"
#include "catalogue/ClassificationLists.h"
#include "catalogue/SettingsPage.h"
#include "platform/ui/Controls.h"
#include "tests/shell/MainWindowTest.h"

// The main window on a shop database, with what the tests of the settings page, the
// classification lists and the stock list put into it.
class SettingsFixture : public MainWindowTest {
  protected:
    struct Title {
        QString cdid;
        QString name;
        QString type;
        QString movietype;
        int count = 1;
        double price = 0;
        double borrowprice = 0;
        double sellprice = 0;
        int issell = 0;
    };

    // A title as the catalogue saves one (member prices equal to the prices).
    void AddTitle(const Title& t) {
        const auto q = [](QString s) { return s.replace("'", "''"); };
        Sql(QString("insert into cdinfo (cdid, id, name, type, movietype, count, restcount, "
                    "price, borrowprice, sellprice, memberborrowprice, membersellprice, buydate, "
                    "born, location, station, issell) values ('%1', '%1', '%2', '%3', '%4', %5, "
                    "%5, %6, %7, %8, %7, %8, '2004-03-05', '香港', 'A架', '未借出', %9)")
                .arg(t.cdid, q(t.name), q(t.type), q(t.movietype))
                .arg(t.count)
                .arg(t.price)
                .arg(t.borrowprice)
                .arg(t.sellprice)
                .arg(t.issell));
    }

    int Count(const QString& sql) { return Query1(sql).toInt(); }

    // The window as start-up leaves it (the lists' names editable), shown on the settings page.
    frmMain& ShowSettings() {
        frmMain& main = LoadMainWindow();
        main.EnableCatalogueEntry();
        EXPECT_TRUE(ShowActive(&main));
        main.Image3_Click(4);
        Settle();
        return main;
    }

    ClassificationLists& Lists() {
        frmMain& main = frmMain::instance();
        return ClassificationLists::Of(*main.Settings, *main.Catalogue);
    }
    SettingsPage& Page() { return *frmMain::instance().Settings; }

    // The operator types text into a cell of a list's grid and closes the editor.
    static void TypeIntoCell(DataGrid* grid, int row, const QString& text) {
        const QModelIndex cell = grid->model()->index(row, 0);
        grid->setCurrentIndex(cell);
        grid->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr) << "no cell editor opened";
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }

    // The operator puts the focus into a box, types text and leaves for another control.
    static void TypeAndLeave(MaskEdBox* box, const QString& text, QWidget* next) {
        box->setFocus();
        Settle();
        box->SetText(text);
        next->setFocus();
        Settle();
    }
};
