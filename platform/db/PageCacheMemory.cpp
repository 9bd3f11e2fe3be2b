#include "platform/db/PageCacheMemory.h"

#include <sqlite3.h>
#include <sys/mman.h>

#include <cstddef>

namespace {
// Room for the 64 MB a connection may cache, of the 4 KB pages a shop's file has.
constexpr int kPageBytes = 4096;
constexpr int kSlots = 16384;

// A page read for the first time goes into memory never touched before. Taken page by page
// from the heap, each costs a fault of the system besides the read (on a large shop a
// report's first look at a month took twice its repeated look for that alone). One block,
// reserved without being touched and advised as huge pages where the system has them,
// faults once per 2 MB; the system gives it memory only as pages are read into it.
bool ReserveOnce() {
    int header = 0;
    if (sqlite3_config(SQLITE_CONFIG_PCACHE_HDRSZ, &header) != SQLITE_OK) return false;
    const int slot = (kPageBytes + header + 7) / 8 * 8;
    const std::size_t bytes = static_cast<std::size_t>(slot) * kSlots;
    void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (block == MAP_FAILED) return false;
    madvise(block, bytes, MADV_HUGEPAGE);  // a system without huge pages faults per page
    if (sqlite3_config(SQLITE_CONFIG_PAGECACHE, block, slot, kSlots) != SQLITE_OK) {
        munmap(block, bytes);  // SQLite was in use already
        return false;
    }
    return true;
}
}  // namespace

void PageCacheMemory::Reserve() {
    static const bool reserved = ReserveOnce();
    (void)reserved;
}
