#include "platform/excel/CellRef.h"

#include <utility>

int ColumnNumber(QStringView letters) {
    if (letters.isEmpty() || letters.size() > 3) return 0;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t u = ch.toUpper().unicode();
        if (u < u'A' || u > u'Z') return 0;
        n = n * 26 + (u - u'A' + 1);
    }
    return n <= kMaxSheetColumn ? n : 0;
}

QString ColumnLetters(int column) {
    if (column < 1 || column > kMaxSheetColumn) return {};
    QString out;
    while (column > 0) {
        const int rem = (column - 1) % 26;
        out.prepend(QChar(u'A' + rem));
        column = (column - 1) / 26;
    }
    return out;
}

QString CellName(int row, int column) {
    return ColumnLetters(column) + QString::number(row);
}

namespace {
// One corner: optional "$", letters, optional "$", digits.
std::optional<std::pair<int, int>> ParseCell(QStringView text) {
    qsizetype i = 0;
    if (i < text.size() && text[i] == u'$') ++i;
    const qsizetype letters = i;
    while (i < text.size() && text[i].isLetter() && text[i].unicode() < 128) ++i;
    const int col = ColumnNumber(text.mid(letters, i - letters));
    if (i < text.size() && text[i] == u'$') ++i;
    const QStringView digits = text.mid(i);
    if (col == 0 || digits.isEmpty() || digits.size() > 7) return std::nullopt;
    for (QChar d : digits) {
        if (d.unicode() < u'0' || d.unicode() > u'9') return std::nullopt;
    }
    const int row = digits.toInt();
    if (row < 1 || row > kMaxSheetRow) return std::nullopt;
    return std::make_pair(row, col);
}
}  // namespace

std::optional<CellRect> ParseRange(QStringView text) {
    text = text.trimmed();
    const qsizetype colon = text.indexOf(u':');
    const auto a = ParseCell(colon < 0 ? text : text.left(colon));
    if (!a) return std::nullopt;
    auto b = a;
    if (colon >= 0) {
        b = ParseCell(text.mid(colon + 1));
        if (!b) return std::nullopt;
    }
    return CellRect{std::min(a->first, b->first), std::min(a->second, b->second),
                    std::max(a->first, b->first), std::max(a->second, b->second)};
}

QString RangeName(const CellRect& rect, bool absolute) {
    auto corner = [absolute](int row, int col) {
        return absolute ? "$" + ColumnLetters(col) + "$" + QString::number(row)
                        : CellName(row, col);
    };
    if (rect.IsSingleCell()) return corner(rect.row1, rect.col1);
    return corner(rect.row1, rect.col1) + ":" + corner(rect.row2, rect.col2);
}
