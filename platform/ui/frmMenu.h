#pragma once
#include <QPointer>

#include "platform/ui/FormOf.h"

class QAction;
class QMenu;
class ListView;

// The pop-up select menu: a window that is never shown itself and only owns the menu `a`,
// which the windows with a list of copies pop up over that list to tick or untick every
// copy at once. The caller sets LvwSel, pops `a` up, then reads the list's boxes (and
// MnuID where it needs to know the choice).
class frmMenu : public FormOf<frmMenu> {
    Q_OBJECT
    friend class FormOf<frmMenu>;

  public:
    // The menu `a` with its two items, in this order.
    QMenu* a;
    QAction* mnuSelAll;    // "全部选中"
    QAction* mnuClearAll;  // "全部取消"

    // The list the menu acts on. A list that is gone (its window unloaded) is null and
    // the items then only set MnuID.
    QPointer<ListView> LvwSel;
    // The last item chosen: 0 "全部选中", 1 "全部取消". Nothing resets it.
    int MnuID = 0;

    void mnuSelAll_Click();
    void mnuClearAll_Click();

    // The caller's protocol in one call: the menu acts on list and pops up at the pointer.
    static void PopUpOver(ListView* list);
    // Makes the menu the list's context menu: releasing the right button over the list
    // pops it up there.
    static void AttachTo(ListView* list);

  private:
    frmMenu();
    void CheckEvery(bool checked);
};
