#include "platform/ui/ColumnHeaderList.h"

#include <stdexcept>

#include "platform/ui/ListView.h"

ColumnHeader ColumnHeaderList::Add(const QString& key, const QString& text, int widthTwips) {
    view_->columnKeys_.append(key);
    const int count = static_cast<int>(view_->columnKeys_.size());
    if (view_->columnCount() < count) view_->setColumnCount(count);
    ColumnHeader header(view_, count);
    header.SetText(text);
    header.SetWidth(widthTwips < 0 ? ListView::kDefaultColumnTwips : widthTwips);
    return header;
}

void ColumnHeaderList::Clear() {
    view_->columnKeys_.clear();
    view_->setColumnCount(1);
    view_->headerItem()->setText(0, QString());
    view_->setColumnHidden(0, false);
}

int ColumnHeaderList::Count() const {
    return static_cast<int>(view_->columnKeys_.size());
}

ColumnHeader ColumnHeaderList::Item(int index) const {
    if (index < 1 || index > Count()) {
        throw std::out_of_range(QStringLiteral("列表没有第 %1 列").arg(index).toStdString());
    }
    return ColumnHeader(view_, index);
}

ColumnHeader ColumnHeaderList::Item(const QString& key) const {
    const int column = view_->ColumnOfKey(key);
    if (column < 0)
        throw std::out_of_range(QStringLiteral("列表没有这一列：%1").arg(key).toStdString());
    return ColumnHeader(view_, column + 1);
}
