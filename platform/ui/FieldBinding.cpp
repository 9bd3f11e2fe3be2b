#include "platform/ui/FieldBinding.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "platform/db/DbError.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/Label.h"
#include "platform/ui/MaskEdBox.h"

FieldBinding* FieldBinding::Of(QWidget* control) {
    if (FieldBinding* existing = Find(control)) return existing;
    return new FieldBinding(control);
}

FieldBinding* FieldBinding::Find(const QWidget* control) {
    return control ? control->findChild<FieldBinding*>(QString(), Qt::FindDirectChildrenOnly)
                   : nullptr;
}

FieldBinding::FieldBinding(QWidget* control) : QObject(control), control_(control) {
    if (auto* mask = qobject_cast<MaskEdBox*>(control)) {
        connect(mask, &MaskEdBox::Change, this, &FieldBinding::Write);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        connect(edit, &QLineEdit::textChanged, this, &FieldBinding::Write);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
        connect(plain, &QPlainTextEdit::textChanged, this, &FieldBinding::Write);
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        connect(check, &QCheckBox::stateChanged, this, &FieldBinding::Write);
    }
}

void FieldBinding::SetDataField(const QString& field, const QString& dataFormat) {
    field_ = field;
    format_ = dataFormat;
    Refresh();
}

void FieldBinding::SetDataSource(Recordset* rs) {
    for (const auto& c : sourceConnections_) disconnect(c);
    sourceConnections_.clear();
    rs_ = rs;
    if (rs) {
        sourceConnections_ << connect(rs, &Recordset::MoveComplete, this, &FieldBinding::Refresh)
                           << connect(rs, &Recordset::RecordChangeComplete, this,
                                      &FieldBinding::Refresh)
                           << connect(rs, &Recordset::RecordsetChangeComplete, this,
                                      &FieldBinding::Refresh)
                           << connect(rs, &Recordset::FieldChangeComplete, this, [this](int index) {
                                  if (!writing_ && index == FieldIndex()) Refresh();
                              });
    }
    Refresh();
}

int FieldBinding::FieldIndex() const {
    return rs_ && rs_->IsOpen() ? rs_->FieldIndex(field_) : -1;
}

bool FieldBinding::HasCurrentRow() const {
    return rs_ && rs_->HasCurrentRow() && FieldIndex() >= 0;
}

void FieldBinding::Refresh() {
    ShowText(HasCurrentRow() ? FormatValue(rs_->GetValue(FieldIndex()), format_) : QString());
}

QString FieldBinding::ControlText() const {
    if (auto* mask = qobject_cast<MaskEdBox*>(control_)) return mask->Text();
    if (auto* edit = qobject_cast<QLineEdit*>(control_)) return edit->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(control_)) return plain->toPlainText();
    if (auto* check = qobject_cast<QCheckBox*>(control_)) return check->isChecked() ? "1" : "0";
    if (auto* label = qobject_cast<QLabel*>(control_)) return label->text();
    return QString();
}

void FieldBinding::ShowText(const QString& text) {
    if (text == ControlText()) return;
    showing_ = true;
    if (auto* mask = qobject_cast<MaskEdBox*>(control_))
        mask->SetText(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control_))
        edit->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control_))
        plain->setPlainText(text);
    else if (auto* check = qobject_cast<QCheckBox*>(control_))
        check->setChecked(Value(text).ToBool());
    else if (auto* caption = qobject_cast<Label*>(control_))
        caption->SetCaption(text);
    else if (auto* label = qobject_cast<QLabel*>(control_))
        label->setText(text);
    showing_ = false;
}

void FieldBinding::Write() {
    if (showing_ || writing_ || !HasCurrentRow()) return;
    const int index = FieldIndex();
    const QString text = ControlText();
    if (text == FormatValue(rs_->GetValue(index), format_)) return;
    const bool check = qobject_cast<QCheckBox*>(control_) != nullptr;
    const Value value = check ? Value(text.toInt()) : ValueFromText(text, format_);
    writing_ = true;
    try {
        rs_->SetValue(index, value);
    } catch (const DbError&) {
        // Not a value of the column (yet): the field keeps its value while the operator types.
    }
    writing_ = false;
}

void SetDataField(QWidget* control, const QString& field, const QString& dataFormat) {
    FieldBinding::Of(control)->SetDataField(field, dataFormat);
}

void SetDataSource(QWidget* control, Recordset* rs) {
    FieldBinding::Of(control)->SetDataSource(rs);
}

void SetDataSource(std::initializer_list<QWidget*> controls, Recordset* rs) {
    for (QWidget* control : controls) SetDataSource(control, rs);
}
