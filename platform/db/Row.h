#pragma once
#include <QtGlobal>
#include <optional>
#include <vector>

#include "platform/db/RowValues.h"

// One row of a recordset's snapshot. An edited row keeps what was read from the
// database (for the key and the check that nobody changed it meanwhile) and which
// fields were set.
struct Row {
    enum class State { Unchanged, Modified, New, Deleted };
    struct Edit {
        RowValues original;
        std::vector<bool> changed;
    };

    RowValues values;
    qint64 bookmark = 0;
    State state = State::Unchanged;
    std::optional<Edit> edit;

    bool IsPending() const { return state != State::Unchanged; }
    // The value as the database held it when read (the current value of an unedited row).
    Value Original(int field) const { return edit ? edit->original.Get(field) : values.Get(field); }
    bool Changed(int field) const { return edit && edit->changed[field]; }
    // Marks the row edited, remembering its values as read.
    void BeginEdit() {
        if (edit) return;
        edit = Edit{values, std::vector<bool>(values.Size(), false)};
        if (state == State::Unchanged) state = State::Modified;
    }
    // Back to the values as read; the edit is forgotten.
    void Revert() {
        if (edit) values = edit->original;
        edit.reset();
        state = State::Unchanged;
    }
    // The values as the database now holds them.
    void Written(std::vector<Value> now) {
        values = RowValues(std::move(now));
        edit.reset();
        state = State::Unchanged;
    }
};
