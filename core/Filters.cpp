#include "core/Filters.h"

bool Narrows(const QString& filterText) {
    return !filterText.isEmpty() && filterText != AllEntries();
}

QString AllEntries() {
    return QStringLiteral("全部");
}
