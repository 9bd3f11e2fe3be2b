#pragma once
#include <QString>

#include "catalogue/CatalogueTitleWrite.h"

class CataloguePage;

enum class SaveOutcome {
    NothingToSave,  // another page shows, or the catalogue has no current title
    Saved,
    Refused,  // a message told the operator why; nothing was written
};

// Saving the catalogue title being edited: the page's part. It checks the required fields,
// reads the entry inputs strictly, gathers what the row will hold and whether it needs a
// new disc id, has CatalogueTitleWrite write it, and shows the page and the counter again.
// Every check runs before the first write, so a refusal leaves the row's edits pending and
// the database untouched.
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
    bool CheckRequiredFields();
    bool ReadEntry(CatalogueTitleWrite::Fields& fields);
    bool NeedsNewId() const;
    int CodeOf(bool format) const;
    SaveOutcome Refuse(const QString& prompt, int icon);

    CataloguePage& page_;
};
