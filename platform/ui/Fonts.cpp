#include "platform/ui/Fonts.h"

#include <QApplication>

QStringList CjkFamilies() {
    return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("sans-serif")};
}

void ApplyCjkFonts() {
    QFont font = QApplication::font();
    font.setFamilies(CjkFamilies());
    QApplication::setFont(font);
}

QFont CjkFont(const QString& family, double pointSize, bool bold) {
    QFont font = QApplication::font();
    QStringList families = CjkFamilies();
    if (!family.isEmpty()) families.prepend(family);
    font.setFamilies(families);
    if (pointSize > 0) font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}
