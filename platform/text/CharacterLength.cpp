#include "platform/text/CharacterLength.h"

#include <QList>

namespace {
// The UTF-16 units of the first `count` characters; a high surrogate followed by its low
// surrogate is one character, a lone surrogate one of its own.
qsizetype UnitsOf(const QString& text, int count) {
    qsizetype units = 0;
    for (int characters = 0; characters < count && units < text.size(); ++characters) {
        const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() &&
                          text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return units;
}
}  // namespace

int CharacterCount(const QString& text) {
    return static_cast<int>(text.toUcs4().size());
}

QString LeftCharacters(const QString& text, int count) {
    if (count <= 0) return QString();
    return text.left(UnitsOf(text, count));
}
