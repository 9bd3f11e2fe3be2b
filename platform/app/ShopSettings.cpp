#include "platform/app/ShopSettings.h"

#include <QDir>
#include <QSettings>

#include "platform/app/AppPath.h"

QString ShopSettings::FilePath() {
    return QDir(AppPath()).filePath("Lumtrak.ini");
}

ShopSettings ShopSettings::Read() {
    QSettings ini(FilePath(), QSettings::IniFormat);
    ShopSettings s;
    s.Name = ini.value("Shop/Name").toString();
    s.Tel = ini.value("Shop/Tel").toString();
    return s;
}
