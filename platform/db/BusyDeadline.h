#pragma once
#include <chrono>

class Connection;
struct sqlite3;

// While the guard lives, the statements of a connection wait for a lock another program
// holds no longer than the given time in all, counted from the guard's making; past it a
// statement fails at once as on a locked file. For reads the operator waits on, such as a
// list refilled when a page is shown: the connection's own wait is meant for writes, which
// should rather wait a while than give up, and a refill of several statements would add it
// up. A guard made while another lives on the same connection keeps the outer deadline.
class BusyDeadline {
  public:
    BusyDeadline(Connection& conn, int milliseconds);
    ~BusyDeadline();
    BusyDeadline(const BusyDeadline&) = delete;
    BusyDeadline& operator=(const BusyDeadline&) = delete;

  private:
    static int Wait(void* guard, int tries);

    Connection& conn_;
    sqlite3* db_ = nullptr;  // null when the guard changes nothing
    std::chrono::steady_clock::time_point deadline_;
    BusyDeadline* outer_ = nullptr;
};
