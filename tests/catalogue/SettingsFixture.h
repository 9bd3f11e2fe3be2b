#pragma once
#include <QLineEdit>

#include "catalogue/ClassificationList.h"
#include "catalogue/ClassificationLists.h"
#include "catalogue/SettingsPage.h"
#include "platform/ui/Controls.h"
#include "tests/catalogue/CataloguePagesTest.h"

// The catalogue and settings pages on a shop database, with what the tests of the settings
// page, the classification lists and the stock list put into it.
class SettingsFixture : public CataloguePagesTest {
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
        Data().Add(ShopData::Title(t.cdid, t.name)
                       .Type(t.type)
                       .MovieType(t.movietype)
                       .Copies(t.count)
                       .Prices(t.price, t.borrowprice, t.sellprice)
                       .BoughtOn("2004-03-05")
                       .Born("香港")
                       .Location("A架")
                       .Sold(t.issell));
    }

    // The pages as start-up leaves them (the lists' names editable), shown on the settings
    // page.
    SettingsPage& ShowSettings() {
        StartPages();
        ShowSettingsPage();
        return Page();
    }

    SettingsPage& Page() { return SettingsTab(); }

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
};
