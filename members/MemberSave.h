#pragma once
#include <QString>

#include "platform/db/Recordset.h"

// Writes the pending edits of the member recordset ("select * from userinfo", batch
// locking) in one transaction. A member added and left with nothing in it but the number
// and join date the page gave it is dropped, never inserted. A member whose every field
// reads as the file holds it (a Null text as empty, a Null amount as 0) was not edited:
// nothing of it is written or checked. Every other pending row is written as it stands,
// or the save writes nothing and keeps every edit pending, naming the member to mend:
// - a member without a number, or without a name (emptied, or Null in the file): the name
//   rule never drops an edit, a pay-in or refund least of all;
// - a number added or changed that is not six digits;
// - a number added or changed that another member holds, in the recordset or, checked
//   inside the transaction, in the file. A number kept as the file holds it is the
//   member's own and never checked ("000001 " beside "000001" blocks neither).
// When the file shows that another program changed or removed a pending member since it
// was read, nothing is written and the outcome says so: the page then reads the members
// afresh, as the message tells. Raises DbError when the file refuses the write (busy,
// read-only, full); the edits stay pending.
class MemberSave {
  public:
    enum class Outcome {
        Written,
        NothingToWrite,
        EmptyNumber,
        EmptyName,
        MalformedNumber,
        DuplicateNumber,
        ChangedElsewhere,
    };
    struct Result {
        Outcome outcome = Outcome::NothingToWrite;
        int written = 0;   // rows inserted or updated
        int dropped = 0;   // members added and left empty
        QString number;    // the number of the member refused
        Bookmark row = 0;  // the member refused
        bool Refused() const {
            return outcome == Outcome::EmptyNumber || outcome == Outcome::EmptyName ||
                   outcome == Outcome::MalformedNumber || outcome == Outcome::DuplicateNumber;
        }
        bool Stale() const { return outcome == Outcome::ChangedElsewhere; }
    };

    explicit MemberSave(Recordset& members) : members_(members) {}

    Result Run();
    // What the operator is told of a refused or stale save.
    static QString RefusalMessage(const Result& result);

  private:
    int DropEmptyNewMembers();
    bool IsEmptyNewMember(Bookmark b) const;
    void ForgetRowsAsStored();
    bool IsAsStored(Bookmark b) const;
    QString Text(Bookmark b, const char* field) const;
    Result CheckRows() const;
    Result CheckRow(Bookmark b) const;
    QString Number(Bookmark b) const;
    bool NumberChanged(Bookmark b, const QString& number) const;
    int CountNumber(const QString& number) const;
    bool HeldInFile(const QString& number) const;

    Recordset& members_;
};
