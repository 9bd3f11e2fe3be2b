#pragma once
#include <QString>

class CataloguePage;

enum class SaveOutcome {
    NothingToSave,  // another page shows, or the catalogue has no current title
    Saved,
    Refused,  // a message told the operator why; nothing was written
};

// Saving the catalogue title being edited: the required fields, the entry inputs read
// strictly, the disc id of a new or reclassified title, the write of the row in one
// transaction, and the page and the counter shown again. Every check runs before the
// first write, so a refusal leaves the row's edits pending and the database untouched.
class CatalogueSave {
public:
    enum Scope {
        CataloguePageOnly,  // the operator's save: only while the catalogue page shows
        AnyPage,            // closing the program, or leaving a row from another window
    };

    explicit CatalogueSave(CataloguePage& page) : page_(page) {}
    // Database errors are raised to the caller.
    SaveOutcome Run(Scope scope);

private:
    // The entry inputs as the row will hold them.
    struct Entry {
        QString prices[5];  // rent, sale price, member rent, member sale price, purchase price
        QString count;
        QString buyDate;
    };

    bool CheckRequiredFields();
    bool ReadEntry(Entry& entry);
    bool NeedsNewId() const;
    bool AllocateId(QString& cdid);
    int CodeOf(bool format) const;
    void WriteRow(const Entry& entry, const QString& newId);
    SaveOutcome Refuse(const QString& prompt, int icon);

    CataloguePage& page_;
};
