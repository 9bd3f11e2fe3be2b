#pragma once
#include <QDateTime>

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
};
