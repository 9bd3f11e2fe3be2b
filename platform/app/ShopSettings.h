#pragma once
#include <QString>

// The shop's name and telephone live in Lumtrak.ini beside the program:
//   [Shop]
//   Name=...
//   Tel=...
// Either may be missing; a missing value reads as the empty text.
struct ShopSettings {
    QString Name;
    QString Tel;

    static QString FilePath();
    static ShopSettings Read();
};
