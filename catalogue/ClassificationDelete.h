#pragma once
#include <QString>

#include "platform/db/Connection.h"

// Deleting an entry of a classification list (a disc format or a movie type) with every
// title of it and their rental and return history, in one transaction. Names may repeat (in
// any case), so an entry's titles are those carrying its exact stored name and its code in
// their disc id. Refused, with nothing deleted, while one of them has copies out or lines
// in an open basket (TitleUsage).
class ClassificationDelete {
  public:
    // Where a list keeps its entries and how its titles carry them.
    struct List {
        QString table;        // the list's table: type or movietype
        QString titleColumn;  // the column of cdinfo holding an entry's name
        int codeStart;        // where an entry's two-digit code stands in a cdid (from 1)
    };
    struct Result {
        bool inUse = false;  // refused: nothing was deleted
        int titles = 0;      // titles deleted with the entry
    };

    ClassificationDelete(Connection& conn, const List& list) : conn_(conn), list_(list) {}

    // Deletes the entry with the code and stored name, and its titles.
    Result Run(int code, const QString& name);

  private:
    QString Sql(const char* statement) const;

    Connection& conn_;
    List list_;
};
