#include "platform/ui/frmMenu.h"

#include <QAction>
#include <QMenu>

#include "platform/ui/ControlEvents.h"
#include "platform/ui/ListView.h"
#include "platform/ui/Named.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/VbKeys.h"

frmMenu::frmMenu() {
    setObjectName("frmMenu");
    a = Named<QMenu>("a", this);
    mnuSelAll = a->addAction(QStringLiteral("全部选中"));
    mnuSelAll->setObjectName("mnuSelAll");
    mnuClearAll = a->addAction(QStringLiteral("全部取消"));
    mnuClearAll->setObjectName("mnuClearAll");
    Handle(mnuSelAll, &QAction::triggered, this, [this] { mnuSelAll_Click(); });
    Handle(mnuClearAll, &QAction::triggered, this, [this] { mnuClearAll_Click(); });
}

void frmMenu::mnuSelAll_Click() {
    CheckEvery(true);
    MnuID = 0;
}

void frmMenu::mnuClearAll_Click() {
    CheckEvery(false);
    MnuID = 1;
}

// From the first item to the last; ticks from code raise no ItemCheck.
void frmMenu::CheckEvery(bool checked) {
    if (!LvwSel) return;
    ListItemList items = LvwSel->ListItems();
    for (int i = 1; i <= items.Count(); ++i) items(i)->SetChecked(checked);
}

void frmMenu::PopUpOver(ListView* list) {
    frmMenu& menu = instance();
    menu.LvwSel = list;
    PopupMenu(menu.a);
}

void frmMenu::AttachTo(ListView* list) {
    OnMouseUp(list, list, [list](int Button, int, double, double) {
        if (Button == vbRightButton) PopUpOver(list);
    });
}
