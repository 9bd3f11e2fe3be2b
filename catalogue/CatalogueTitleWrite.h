#pragma once
#include <QString>

#include "platform/db/Connection.h"
#include "platform/text/Money.h"

class Recordset;

// Writing a catalogue title, in one transaction: a new title, or one given another format
// or movie type, gets a new disc id (DiscIdAllocator), refused while its stored id has
// copies out or lines in an open basket (TitleUsage); then the entry's fields go into the
// row and the row is written.
//
// The row is the current row of the catalogue recordset (a snapshot of cdinfo, no window):
// the texts bound to it are already there as its edits, and writing through it keeps the
// grid showing the catalogue in step without reading it again. A refusal or a failed write
// leaves the row, its edits and the database as they were.
class CatalogueTitleWrite {
  public:
    // The entry's fields as the row will hold them.
    struct Fields {
        Money borrowPrice;
        Money sellPrice;
        Money memberBorrowPrice;
        Money memberSellPrice;
        Money price;      // what the shop paid
        int copies = 1;   // count and restcount
        QString buyDate;  // yyyy-mm-dd
        QString type;     // the format's name
        QString movieType;
    };
    struct Request {
        Fields fields;
        bool needsNewId = false;  // a new title, or another format or movie type
        int typeCode = 0;         // the codes of the chosen format and movie type (0 none)
        int movieTypeCode = 0;
    };
    enum class Outcome {
        Written,
        InUse,     // the stored id has copies out or lines in an open basket
        NoIdLeft,  // the codes do not fit or their numbers are used up: see refusal
    };
    struct Result {
        Outcome outcome = Outcome::Written;
        QString cdid;     // the id the row holds once written
        QString refusal;  // why no id could be given (NoIdLeft)
    };

    CatalogueTitleWrite(Connection& conn, Recordset& catalogue) : conn_(conn), row_(catalogue) {}

    Result Run(const Request& request);

  private:
    bool StoredIdInUse(const QString& stored);
    void SetFields(const Fields& fields, const QString& newId);

    Connection& conn_;
    Recordset& row_;
};
