#pragma once
#include <sqlite3.h>
#include <QDateTime>

#include "core/ShopFileAdditions.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "tests/support/TestSupport.h"

// A shop database in a temporary program folder, opened as the program's connection.
class CoreTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        gConn.OpenFile(DbPath());
    }
    void TearDown() override {
        ResetGlobalState();
        ShopTest::TearDown();
    }
    // Start-up's bringing up of the file while another program is about to write it: what
    // BringUp gives.
    bool BringUpWhileAnotherProgramHoldsTheFile() {
        sqlite3* other = nullptr;
        sqlite3_open_v2(DbPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        gConn.SetBusyTimeout(50);
        const bool broughtUp = ShopFileAdditions::BringUp(gConn);
        gConn.SetBusyTimeout(5000);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        return broughtUp;
    }
};
