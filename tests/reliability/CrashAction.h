#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/db/Connection.h"

// The baskets a basket action leaves stored as open at the counter, as bits; kNoRestart for
// an action that is no basket action.
enum OpenBasketsAfter {
    kNoRestart = -1,
    kNoneOpen = 0,
    kRentalOpen = 1,
    kSaleOpen = 2,
    kBothOpen = kRentalOpen | kSaleOpen
};

// One operator action for the crash harness: how to fill a fresh shop file before it, and
// the operations it runs on the program's connection (gConn). Most actions are one
// operation; an action of several (closing with both baskets open asks about each basket
// and rolls each back in its own transaction) accepts the state after each of them.
//
// A basket action names the baskets it leaves open (openAfter): the harness then also starts
// the program again on the file after every kill point, as the operator would after the
// crash, and checks what start-up makes of the baskets it finds open.
struct CrashAction {
    std::string name;  // letters, digits and underscores: it names the test
    std::function<void(Connection&)> fill;
    std::vector<std::function<void()>> steps;
    int openAfter = kNoRestart;
};

// Test names show the action's name rather than its bytes.
inline void PrintTo(const CrashAction& action, std::ostream* os) {
    *os << action.name;
}

// Every action the harness runs; a new action is one more line in CrashActions.cpp.
const std::vector<CrashAction>& CrashActions();
