#pragma once

// The memory SQLite keeps the pages it reads in, for every connection of the process.
class PageCacheMemory {
  public:
    // Reserves it once, before SQLite's first use; later calls, and a reservation the system
    // or SQLite refuses, leave SQLite taking its pages from the heap as it otherwise does.
    static void Reserve();
};
