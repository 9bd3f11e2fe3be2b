#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/db/Connection.h"

// The shop's rules about copies, checked on a file after every kill point. For every title,
// copies out (the copy lists of its rental lines less the copies their returns list) and
// copies sold (the copy lists of its sale lines) are copies 1..count, none named twice and
// none both out and sold; the shelf the counter offers (ShelfCopies) holds the rest, so
// out + sold + shelf = count. station must agree: "未借出" has no copy out, "全部借出" no
// copy on the shelf. issell follows the copies (0 none sold, 1 some, 2 every copy), or
// says more when the yearly fold took old sale lines away, never less.
//
// Not decided, because the program itself leaves it so: "借出部分" with nothing out (a
// rolled-back basket that held some copies; the counter shows such a title as not lent).
class CrashInvariants {
  public:
    // One line per broken rule; empty when every rule holds.
    static QStringList Broken(Connection& conn);

  private:
    struct Title {
        QString cdid;
        int count = 0;
        QString station;
        int issell = 0;
    };
    using CopiesOf = QHash<QString, std::vector<int>>;  // by cdid

    static std::vector<Title> Titles(Connection& conn);
    // A return that lists a copy its line did not rent goes into broken.
    static CopiesOf CopiesOut(Connection& conn, QStringList& broken);
    static CopiesOf CopiesSold(Connection& conn);
    static QStringList CheckTitle(const Title& title, const std::vector<int>& out,
                                  const std::vector<int>& sold, int onShelf);
    static QStringList CheckCopies(const Title& title, const QString& what,
                                   const std::vector<int>& copies);
};
