#include "platform/db/BusyDeadline.h"

#include <sqlite3.h>

#include <algorithm>
#include <thread>

#include "platform/db/Connection.h"

namespace {
// The guards living now, innermost first (the program's one thread makes them).
BusyDeadline* gInnermost = nullptr;
// Between two looks at the lock: short at first, as SQLite's own wait does.
constexpr int kPauses[] = {1, 2, 5, 10, 15, 20, 25};
}  // namespace

BusyDeadline::BusyDeadline(Connection& conn, int milliseconds) : conn_(conn) {
    outer_ = gInnermost;
    gInnermost = this;
    if (!conn.IsOpen()) return;
    for (const BusyDeadline* g = outer_; g; g = g->outer_)
        if (g->db_ == conn.Handle()) return;
    db_ = conn.Handle();
    deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    sqlite3_busy_handler(db_, &BusyDeadline::Wait, this);
}

BusyDeadline::~BusyDeadline() {
    gInnermost = outer_;
    // The connection's own wait again, unless it was closed (or opened anew) meanwhile.
    if (db_ && conn_.IsOpen() && conn_.Handle() == db_) conn_.SetBusyTimeout(conn_.BusyTimeout());
}

int BusyDeadline::Wait(void* guard, int tries) {
    const auto* self = static_cast<const BusyDeadline*>(guard);
    const auto left = self->deadline_ - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) return 0;
    const int pause = kPauses[std::min<int>(tries, std::size(kPauses) - 1)];
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(pause)));
    return 1;
}
