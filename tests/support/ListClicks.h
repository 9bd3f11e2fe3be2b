#pragma once
// The mouse on a list with check boxes: copies ticked on their boxes, rows clicked, as the
// operator does it.
#include <QTest>
#include <algorithm>
#include <initializer_list>

#include "platform/ui/ListView.h"
#include "tests/support/TestSupport.h"

// Ticks exactly the listed copies (1-based items) with clicks on their boxes.
inline void TickOnly(ListView* list, std::initializer_list<int> items) {
    ListItemList all = list->ListItems();
    for (int i = 1; i <= all.Count(); ++i) {
        const bool wanted = std::find(items.begin(), items.end(), i) != items.end();
        if (all.Item(i)->Checked() != wanted)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                              CheckBoxCentre(list, all.Item(i)));
    }
    Settle();
}

// A click on a row of a basket list selects it.
inline void ClickRow(ListView* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->ListItems().Item(row)).center());
    Settle();
}
