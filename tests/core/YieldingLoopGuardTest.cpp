#include <gtest/gtest.h>

#include "core/YieldingLoopGuard.h"
#include "platform/db/Recordset.h"
#include "tests/core/CoreTest.h"

// A loop that yields stops once its window is gone or unloaded, the program is ending, or
// the recordset it walks was replaced or changed its rows.
class YieldingLoopGuardTest : public CoreTest {};

TEST_F(YieldingLoopGuardTest, StopsWhenTheWindowGoesOrTheProgramEnds) {
    auto* window = new Form;
    const YieldingLoopGuard guard(window, nullptr);
    EXPECT_TRUE(guard.MayGoOn());
    gExiting = true;
    EXPECT_FALSE(guard.MayGoOn());
    gExiting = false;
    window->Unload();
    EXPECT_FALSE(guard.MayGoOn()) << "unloaded";
    delete window;
    EXPECT_FALSE(guard.MayGoOn()) << "destroyed";

    const YieldingLoopGuard ownerless(nullptr, nullptr);
    EXPECT_TRUE(ownerless.MayGoOn());
}

TEST_F(YieldingLoopGuardTest, StopsWhenTheSourceIsReplacedOrChangesItsRows) {
    Sql("insert into type (typeid, type) values (1, 'DVD'), (2, 'VCD')");
    Recordset first, second;
    first.Open("select * from type", gConn, adLockOptimistic);
    second.Open("select * from type", gConn, adLockOptimistic);
    const Recordset* current = &first;
    const YieldingLoopGuard guard(nullptr, &first, [&] { return current; });
    EXPECT_TRUE(guard.MayGoOn());
    current = &second;
    EXPECT_FALSE(guard.MayGoOn()) << "another recordset";
    current = &first;
    first.MoveFirst();
    first.Delete();
    EXPECT_FALSE(guard.MayGoOn()) << "a row left";
}
