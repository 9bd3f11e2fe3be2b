#pragma once
#include <QDateTime>

#include "shell/frmMain.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "tests/support/TestSupport.h"

// A shop database in a temporary program folder, the program's connection open on it and
// the main window loaded on it (its load fills every page). Tests fill the database with
// Sql() before calling LoadMainWindow(), or use the window loaded by SetUp.
class MainWindowTest : public ShopTest {
protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        SetToday(2026, 12, 8);
        gConn.OpenFile(DbPath());
    }

    void TearDown() override {
        CloseMainWindow();
        ResetGlobalState();
        ShopTest::TearDown();
    }

    frmMain& LoadMainWindow() {
        frmMain& main = frmMain::instance();
        Settle();
        return main;
    }

    // Throws the window away without the closing questions and saves.
    static void CloseMainWindow() {
        if (!frmMain::isLoaded()) return;
        delete &frmMain::instance();
        Settle();
    }

    // A rental line numbered no (4 digits) of a title, for member 000001: returned (with
    // its return row) or still out.
    void AddRental(const QString& cdid, const QString& no, bool returned) {
        Sql(QString("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
                    "isnotpaylst, CredenceType, isreturnall) values ('%1%2', '000001', "
                    "'2026-12-01 10:00:00', 1, '&1#', '', '现金', %3)")
                .arg(cdid, no)
                .arg(returned ? 1 : 0));
        if (returned)
            Sql(QString("insert into returninfo (returnid, returndate, returncount, returnlst) "
                        "values ('%1%2%2', '2026-12-03 10:00:00', 1, '&1#')")
                    .arg(cdid, no));
    }

    // A sale line numbered no of a title.
    void AddSale(const QString& cdid, const QString& no) {
        Sql(QString("insert into sellinfo (sellid, name, selldate, sellcount, selllst) values "
                    "('%1%2', '000001', '2026-12-02 10:00:00', 1, '&1#')")
                .arg(cdid, no));
    }

    static void SetToday(int y, int m, int d) { SetNow(QDateTime(QDate(y, m, d), QTime(10, 0))); }
};
