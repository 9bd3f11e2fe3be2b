#pragma once
#include <QDateTime>

#include "core/mdlMain.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "platform/app/Clock.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "shell/frmMain.h"
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
        UnloadCounterAndReturnDialogs();
        CloseMainWindow();
        ResetGlobalState();
        ShopTest::TearDown();
    }

    frmMain& LoadMainWindow() {
        frmMain& main = frmMain::instance();
        Settle();
        return main;
    }

    // The counter's and the return page's dialogs a test may have left open.
    static void UnloadCounterAndReturnDialogs() {
        frmPayMoney::unload();
        frmControlBack::unload();
        frmSellPay::unload();
        frmUseTaxPay::unload();
        frmControlSell::unload();
        frmControlBorrow::unload();
    }

    // Throws the window away without the closing questions and saves.
    static void CloseMainWindow() {
        if (!frmMain::isLoaded()) return;
        delete &frmMain::instance();
        Settle();
    }
};
