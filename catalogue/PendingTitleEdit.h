#pragma once
#include <QString>
#include <utility>
#include <vector>

#include "platform/db/Value.h"

class Recordset;

// The catalogue's current title with edits not yet saved, taken off the catalogue so that
// it can be read again without writing them, and put back on the same title afterwards
// (or as a new title again, when it was one). What is put back is still unsaved: the save
// and its checks decide later, as they would have.
class PendingTitleEdit {
  public:
    // Takes the current row's edit off the catalogue (its fields go back to what is
    // stored; a new title leaves the list). Nothing when no edit is in progress.
    static PendingTitleEdit TakeFrom(Recordset& catalogue);

    bool IsEmpty() const { return !newTitle_ && cdid_.isEmpty(); }
    // Puts the edit back on its title in the catalogue read again, which becomes the
    // current row. False when the title is no longer listed: its edit is gone with it.
    bool PutBack(Recordset& catalogue) const;

  private:
    bool newTitle_ = false;
    QString cdid_;  // the title's stored id
    std::vector<std::pair<QString, Value>> changed_;
};
