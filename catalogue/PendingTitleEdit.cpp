#include "catalogue/PendingTitleEdit.h"

#include "platform/db/Recordset.h"

PendingTitleEdit PendingTitleEdit::TakeFrom(Recordset& catalogue) {
    PendingTitleEdit edit;
    if (!catalogue.HasCurrentRow() || catalogue.EditMode() == adEditNone) return edit;
    edit.newTitle_ = catalogue.EditMode() == adEditAdd;
    if (!edit.newTitle_) edit.cdid_ = catalogue.Fields("cdid").OriginalValue().ToString();
    for (int i = 0; i < catalogue.FieldCount(); ++i) {
        const Value now = catalogue.GetValue(i);
        if (now != catalogue.Fields(i).OriginalValue())
            edit.changed_.emplace_back(catalogue.FieldName(i), now);
    }
    catalogue.CancelUpdate();
    return edit;
}

bool PendingTitleEdit::PutBack(Recordset& catalogue) const {
    if (IsEmpty()) return true;
    if (newTitle_) {
        catalogue.AddNew();
    } else {
        if (catalogue.RecordCount() == 0) return false;
        catalogue.MoveFirst();
        if (!catalogue.FindIf(
                [this](const Recordset& rs) { return rs["cdid"].ToString() == cdid_; })) {
            catalogue.MoveFirst();
            return false;
        }
    }
    for (const auto& [field, value] : changed_) catalogue.SetValue(field, value);
    return true;
}
