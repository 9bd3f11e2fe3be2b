#pragma once
#include <QString>

class QObject;
class Recordset;

// Writes the pending edits of the member recordset ("select * from userinfo", batch
// locking) in one transaction, row by row under the name rule: a member added without a
// name is dropped, never inserted; a member whose name was emptied keeps what the file
// holds (the row's edits are dropped); every other pending row is written. A save that
// would leave a member without a number, or give two members one number, writes nothing
// and keeps every edit pending. Raises DbError when the file refuses the write (the
// edits stay pending).
class MemberSave {
  public:
    enum class Outcome { Written, NothingToWrite, EmptyNumber, DuplicateNumber };
    struct Result {
        Outcome outcome = Outcome::NothingToWrite;
        int written = 0;  // rows inserted or updated
        int dropped = 0;  // rows whose edits the name rule dropped
        QString number;   // the number refused
        bool Refused() const {
            return outcome == Outcome::EmptyNumber || outcome == Outcome::DuplicateNumber;
        }
    };

    // source: the page that follows the change itself (announced to the others).
    explicit MemberSave(Recordset& members, QObject* source = nullptr)
        : members_(members), source_(source) {}

    Result Run();
    // What the operator is told of a refused save.
    static QString RefusalMessage(const Result& result);

  private:
    int DropNameless();
    Result CheckNumbers() const;
    int CountNumber(const QString& number) const;

    Recordset& members_;
    QObject* source_;
};
