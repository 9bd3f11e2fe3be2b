#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <initializer_list>

#include "platform/db/Recordset.h"

// Binds a control to a field of a recordset's current row (the DataSource/DataField of
// the original platform's controls). The control shows the field of the current row,
// following every move, requery and field change; text boxes (QLineEdit, MaskEdBox,
// QPlainTextEdit) and check boxes write back into the field whenever their content
// changes, by the operator or by code (a check box writes 1 or 0); labels only show.
// With no current row (BOF, EOF, no recordset) the control is emptied and writes nothing.
// A text the field's column cannot hold (letters in a number) is not written; the field
// keeps its value.
//
//     SetDataField(TxtName, "Name");           // at design: which field
//     SetDataSource(TxtName, adoCDInfo);       // when the recordset is (re)opened
//     SetDataField(LblMoney, "money", "￥#,##0.00");  // with a display format
class FieldBinding : public QObject {
    Q_OBJECT
  public:
    static FieldBinding* Of(QWidget* control);  // made on first use
    static FieldBinding* Find(const QWidget* control);

    void SetDataField(const QString& field, const QString& dataFormat = QString());
    QString DataField() const { return field_; }
    void SetDataSource(Recordset* rs);
    Recordset* DataSource() const { return rs_; }

    // Shows the current row's field again.
    void Refresh();

  private:
    explicit FieldBinding(QWidget* control);
    void Write();
    int FieldIndex() const;
    bool HasCurrentRow() const;
    QString ControlText() const;
    void ShowText(const QString& text);

    QWidget* control_;
    QString field_;
    QString format_;
    QPointer<Recordset> rs_;
    QList<QMetaObject::Connection> sourceConnections_;
    bool showing_ = false;
    bool writing_ = false;
};

void SetDataField(QWidget* control, const QString& field, const QString& dataFormat = QString());
void SetDataSource(QWidget* control, Recordset* rs);
void SetDataSource(std::initializer_list<QWidget*> controls, Recordset* rs);
