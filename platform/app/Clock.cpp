#include "platform/app/Clock.h"

#include <optional>

namespace {
std::optional<QDateTime>& FixedNow() {
    static std::optional<QDateTime> fixed;
    return fixed;
}
}  // namespace

QDateTime Now() {
    if (FixedNow()) return *FixedNow();
    return QDateTime::currentDateTime();
}

QDate Today() {
    return Now().date();
}

void SetNow(const QDateTime& fixed) {
    FixedNow() = fixed;
}

void ResetNow() {
    FixedNow().reset();
}
