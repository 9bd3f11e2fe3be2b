#pragma once
#include <QString>

// The statement that counts the rows a query gives. A trailing ORDER BY is left out, as it
// changes no count and would make SQLite walk an index or sort for nothing; an ORDER BY
// followed by a LIMIT stays, as the two together choose the rows.
class RowCount {
  public:
    static QString StatementFor(const QString& sql);
    // The query without its trailing top-level ORDER BY clause (unchanged when it has none).
    static QString WithoutTrailingOrder(const QString& sql);
};
