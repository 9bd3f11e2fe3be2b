#include "platform/ui/DataGridColumn.h"

#include "platform/db/DbError.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/Twips.h"

QString DataGridColumn::Caption() const {
    return grid_->Spec(index_).caption;
}

void DataGridColumn::SetCaption(const QString& caption) {
    grid_->Spec(index_).caption = caption;
    emit grid_->model_->headerDataChanged(Qt::Horizontal, index_, index_);
}

QString DataGridColumn::DataField() const {
    return grid_->Spec(index_).dataField;
}

void DataGridColumn::SetDataField(const QString& field) {
    grid_->Spec(index_).dataField = field;
    grid_->SetDataSource(grid_->DataSource());  // rebinds every column
}

int DataGridColumn::Width() const {
    const auto& spec = grid_->Spec(index_);
    return spec.widthTwips >= 0 ? spec.widthTwips : PixelsToTwips(grid_->columnWidth(index_));
}

void DataGridColumn::SetWidth(int twips) {
    grid_->Spec(index_).widthTwips = twips;
    grid_->ApplyColumnLook(index_);
}

void DataGridColumn::SetVisible(bool visible) {
    grid_->Spec(index_).visible = visible;
    grid_->ApplyColumnLook(index_);
}

bool DataGridColumn::Locked() const {
    return grid_->Spec(index_).locked;
}

void DataGridColumn::SetLocked(bool locked) {
    grid_->Spec(index_).locked = locked;
}

QString DataGridColumn::NumberFormat() const {
    return grid_->Spec(index_).numberFormat;
}

void DataGridColumn::SetNullAsZero(bool zero) {
    grid_->Spec(index_).nullAsZero = zero;
    grid_->viewport()->update();
}

int DataGridColumn::Alignment() const {
    return grid_->Spec(index_).alignment;
}

Value DataGridColumn::GetValue() const {
    Recordset* rs = grid_->DataSource();
    const int field = grid_->model_->FieldOf(index_);
    if (!rs || !rs->HasCurrentRow() || field < 0) return Value();
    return rs->GetValue(field);
}

QString DataGridColumn::Text() const {
    return DataGridModel::DisplayText(grid_->Spec(index_), GetValue());
}

void DataGridColumn::SetValue(const Value& value) {
    Recordset* rs = grid_->DataSource();
    if (!rs) throw DbError(QStringLiteral("表格没有数据源"));
    const int field = grid_->model_->FieldOf(index_);
    if (field < 0) throw DbError(QStringLiteral("没有这个字段：%1").arg(DataField()));
    rs->SetValue(field, value);
}

void DataGridColumn::SetText(const QString& text) {
    SetValue(ValueFromText(text, NumberFormat()));
}
