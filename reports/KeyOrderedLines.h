#pragma once
#include <optional>

#include "platform/db/Statement.h"

// The rows of two statements that read the same columns, each in the order of its first
// column (a key), walked as one list in that order: the lines of a period found through
// the date index, and the few whose date is stored in another form. The current row is
// read in place, as a statement's is; its key's bytes last until the next step.
class KeyOrderedLines {
  public:
    // second may be null: the first statement's rows alone.
    KeyOrderedLines(Statement& first, Statement* second) : first_(first), second_(second) {}

    // True when a row is ready; false when both statements have finished.
    bool Step() {
        if (!started_) {
            started_ = true;
            firstMore_ = first_.Step();
            secondMore_ = second_ && second_->Step();
        } else if (current_ == &first_) {
            firstMore_ = first_.Step();
        } else {
            secondMore_ = second_->Step();
        }
        if (firstMore_ && secondMore_)
            current_ = SqlKey::Compare(first_.Key(0), second_->Key(0)) <= 0 ? &first_ : second_;
        else
            current_ = firstMore_ ? &first_ : (secondMore_ ? second_ : nullptr);
        return current_ != nullptr;
    }

    bool IsNull(int index) const { return current_->IsNull(index); }
    bool IsNumber(int index) const { return current_->IsNumber(index); }
    double Double(int index) const { return current_->Double(index); }
    SqlKey Key(int index) const { return current_->Key(index); }
    std::optional<DateText> Date(int index) const { return current_->Date(index); }

  private:
    Statement& first_;
    Statement* second_;
    Statement* current_ = nullptr;
    bool started_ = false;
    bool firstMore_ = false;
    bool secondMore_ = false;
};
