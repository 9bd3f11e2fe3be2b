#include "core/Filters.h"

bool Narrows(const QString& filterText) {
    return !filterText.isEmpty() && filterText != QStringLiteral("全部");
}
