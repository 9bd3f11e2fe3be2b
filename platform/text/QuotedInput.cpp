#include "platform/text/QuotedInput.h"

#include "platform/text/CharacterLength.h"

namespace {
constexpr int kQuotedLength = 20;
}  // namespace

QString QuotedInput(const QString& typed) {
    if (CharacterCount(typed) <= kQuotedLength) return typed;
    return LeftCharacters(typed, kQuotedLength) + QStringLiteral("…");
}
