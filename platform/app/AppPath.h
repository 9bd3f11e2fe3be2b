#pragma once
#include <QString>

// The program folder: the database and support/ are looked up there.
// Defaults to the folder of the executable; tests point it elsewhere.
QString AppPath();
void SetAppPath(const QString& dir);
