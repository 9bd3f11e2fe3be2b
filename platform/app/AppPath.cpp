#include "platform/app/AppPath.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& OverriddenPath() {
    static QString path;
    return path;
}
}  // namespace

QString AppPath() {
    if (!OverriddenPath().isEmpty()) return OverriddenPath();
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void SetAppPath(const QString& dir) {
    OverriddenPath() = dir;
}
