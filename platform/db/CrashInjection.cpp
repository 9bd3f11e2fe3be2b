#include "platform/db/CrashInjection.h"

#include <cstdlib>

namespace {
int gCrashAt = 0;
int gWritten = 0;
}  // namespace

void SetCrashAtStatement(int n) {
    gCrashAt = n;
    gWritten = 0;
}

int WritingStatementsRun() {
    return gWritten;
}

void AboutToWrite() {
    ++gWritten;
    if (gCrashAt > 0 && gWritten == gCrashAt) std::_Exit(70);
}
