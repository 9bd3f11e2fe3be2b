#pragma once
#include <QString>
#include <vector>

// The tables, indexes and triggers a script of CREATE statements makes, each with the
// statement that makes it, in the order the script makes them: read by running the script
// in a database in memory, so that nothing of SQL is parsed here. Throws DbError when the
// script fails.
class ScriptObjects {
  public:
    struct Object {
        QString type;  // "table", "index" or "trigger"
        QString name;
        QString sql;
    };
    static std::vector<Object> Of(const char* script);
};
