#pragma once
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/CataloguePage.h"
#include "platform/ui/Controls.h"
#include "tests/shell/MainWindowTest.h"

// The main window on a shop database with two formats (DVD 3, VCD 5) and two movie types
// (动作 1, 科幻 12), for the tests of the catalogue page, its save, discarding and finding.
class CatalogueFixture : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Sql("insert into type values (3, 'DVD'), (5, 'VCD');"
            "insert into movietype values (1, '动作'), (12, '科幻')");
    }

    // A title with 2 copies, rent 3 a day, sale price 30, purchase price 20, bought 2004-03-07;
    // its key holds its disc number unless another key is given.
    void AddTitle(const QString& cdid, const QString& id, const QString& name,
                  const QString& type = "DVD", const QString& movietype = "动作",
                  const QString& key = "") {
        Sql(QString("insert into cdinfo (cdid, id, name, type, movietype, [key], count, restcount, "
                    "price, borrowprice, sellprice, memberborrowprice, membersellprice, buydate, "
                    "borrowpricetype, station, issell, isabandon) values ('%1', '%2', '%3', '%4', "
                    "'%5', '%6', 2, 2, 20, 3, 30, 3, 30, '2004-03-07', '每天', '未借出', 0, 0)")
                .arg(cdid, id, name, type, movietype, key.isEmpty() ? id.toLower() : key));
    }

    // The window as start-up leaves it, shown and active on the catalogue page.
    frmMain& ShowCatalogue() {
        frmMain& main = LoadMainWindow();
        main.EnableCatalogueEntry();
        EXPECT_TRUE(ShowActive(&main));
        main.Image3_Click(2);
        Settle();
        return main;
    }

    static CataloguePage& Page() { return *frmMain::instance().Catalogue; }
    static Recordset& Catalogue() { return *Page().adoCDInfo; }

    // The focus goes into a control and then to another: the first one's LostFocus runs.
    static void Leave(QWidget* from, QWidget* to) {
        from->setFocus();
        Settle();
        to->setFocus();
        Settle();
    }

    // The operator types text at the end of a text box, one key per character.
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->end(false);
        for (const QChar ch : text)
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        Settle();
    }

    // The operator empties a text box (selects all and deletes).
    static void Clear(QLineEdit* box) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        Settle();
    }

    static void MovePointerOverGrid() {
        MoveMouse(Page().dgCDInfo->viewport(), QPoint(30, 10));
        Settle();
    }

    static std::vector<QString> Prompts() { return MsgBoxLog::Get().Prompts(); }
    static void ForgetPrompts() { MsgBoxLog::Get().Reset(); }

    int Count(const QString& sql) { return Query1(sql).toInt(); }
};
