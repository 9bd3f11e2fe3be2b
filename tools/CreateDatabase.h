#pragma once
#include <QString>

// Creates an empty shop database at path. Refuses (returns false with a message in
// error) when a file is already there: an existing database is never overwritten.
bool CreateDatabase(const QString& path, QString* error = nullptr);
