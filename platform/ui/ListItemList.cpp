#include "platform/ui/ListItemList.h"

#include "platform/ui/ListView.h"

ListItem* ListItemList::Add(int index, const QString& key, const QString& text) {
    auto* item = new ListItem(key, text);
    if (view_->Checkboxes()) item->setCheckState(0, Qt::Unchecked);
    const int count = Count();
    const int at = (index <= 0 || index > count) ? count : index - 1;
    view_->insertTopLevelItem(at, item);
    return item;
}

void ListItemList::Clear() {
    view_->clear();
}

int ListItemList::Count() const {
    return view_->topLevelItemCount();
}

void ListItemList::Remove(int index) {
    if (index >= 1 && index <= Count()) delete view_->takeTopLevelItem(index - 1);
}

ListItem* ListItemList::Item(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return dynamic_cast<ListItem*>(view_->topLevelItem(index - 1));
}

ListItem* ListItemList::Item(const QString& key) const {
    for (int i = 1; i <= Count(); ++i) {
        ListItem* item = Item(i);
        if (item && !key.isEmpty() && item->Key() == key) return item;
    }
    return nullptr;
}
