#include "counter/CopyChecks.h"

#include <algorithm>
#include <map>

#include "core/CopyList.h"
#include "platform/ui/ListView.h"
#include "platform/ui/VbKeys.h"

std::vector<int> CopyChecks::Checked(ListView* list) {
    std::vector<int> copies;
    ListItemList items = list->ListItems();
    for (int i = 1; i <= items.Count(); ++i)
        if (items(i)->Checked()) copies.push_back(CopyList::CopyOfText(items(i)->Text()));
    return copies;
}

void CopyChecks::CopyAllChecked(ListView* from, ListView* to) {
    ListItemList target = to->ListItems();
    target.Clear();
    ListItemList source = from->ListItems();
    for (int i = 1; i <= source.Count(); ++i)
        target.Add(i, QString(), source(i)->Text())->SetChecked(true);
}

void CopyChecks::FillForLine(ListView* list, const std::vector<int>& shelf,
                             const std::vector<int>& line) {
    std::map<int, bool> copies;  // copy -> on the line
    for (int copy : shelf) copies.emplace(copy, false);
    for (int copy : line) copies[copy] = true;
    ListItemList items = list->ListItems();
    items.Clear();
    int index = 0;
    for (const auto& [copy, onLine] : copies)
        items.Add(++index, QString(), CopyList::ShortCopyText(copy))->SetChecked(onLine);
}

void CopyChecks::ShowAvailable(ListView* list, const std::vector<int>& available,
                               const std::vector<int>& checked, bool lineEdit) {
    ListItemList items = list->ListItems();
    items.Clear();
    int index = 0;
    for (int copy : available) {
        const QString text = lineEdit ? CopyList::ShortCopyText(copy) : CopyList::CopyText(copy);
        const bool wasChecked = std::find(checked.begin(), checked.end(), copy) != checked.end();
        items.Add(++index, QString(), text)->SetChecked(wasChecked);
    }
}

void CopyChecks::KeyUp(ListView* list, int KeyCode, int Shift) {
    if (Shift != vbCtrlMask || (KeyCode != vbKeyA && KeyCode != vbKeyD)) return;
    const bool check = KeyCode == vbKeyA;
    ListItemList items = list->ListItems();
    for (int i = 1; i <= items.Count(); ++i) {
        if (items(i)->Checked() == check) break;
        items(i)->SetChecked(check);
    }
}
