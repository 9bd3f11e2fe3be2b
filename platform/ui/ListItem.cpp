#include "platform/ui/ListItem.h"

#include <stdexcept>

#include "platform/ui/ListView.h"

ListItem::ListItem(const QString& key, const QString& text) : key_(key) {
    setText(0, text);
    setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable |
             Qt::ItemNeverHasChildren);
}

ListView* ListItem::View() const {
    return qobject_cast<ListView*>(treeWidget());
}

int ListItem::Index() const {
    QTreeWidget* view = treeWidget();
    return view ? view->indexOfTopLevelItem(const_cast<ListItem*>(this)) + 1 : 0;
}

void ListItem::SetChecked(bool checked) {
    setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
}

int ListItem::ColumnOf(const QString& columnKey) const {
    const ListView* view = View();
    const int column = view ? view->ColumnOfKey(columnKey) : -1;
    if (column < 0) {
        throw std::out_of_range(QStringLiteral("列表没有这一列：%1").arg(columnKey).toStdString());
    }
    return column;
}

QString ListItem::SubItem(const QString& columnKey) const {
    return text(ColumnOf(columnKey));
}

void ListItem::SetSubItem(const QString& columnKey, const QString& text) {
    setText(ColumnOf(columnKey), text);
}
