#pragma once
#include <QWidget>

// What the main window needs of every page. The window owns the pages, the page buttons,
// the shortcuts and its own state, and loops over its pages through these calls; it never
// touches a page's controls. Each call does nothing unless the page has something to do.
class ShopPage : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    // The window's load: the page opens what it shows from the start.
    virtual void Load() {}
    // Start-up unlocks the page's entry controls.
    virtual void EnableEntry() {}
    // Start-up empties the page's basket panels.
    virtual void ResetPanels() {}
    // A page button made this page the current one; button is the button's index.
    virtual void Activate(int button) { Q_UNUSED(button); }
    // A page button was pressed while this page shows (its own button too): the page writes
    // what must not stay pending while another page works. False keeps the page as it is,
    // and the button does nothing more.
    virtual bool MayLeave() { return true; }
    // The window became active while this page shows: the page's control takes the focus.
    virtual void FocusDefault() {}
    // A key the window previews (F9, Ctrl+O...): true when this page answered it.
    virtual bool HandleShortcut(int KeyCode, int Shift) {
        Q_UNUSED(KeyCode);
        Q_UNUSED(Shift);
        return false;
    }
    // The window's blink timer ticked.
    virtual void Blink() {}
    // The pointer moved over the page's background picture.
    virtual void PointerOverBackground() {}
    // The operator asked to close the program: the page may ask its questions and undo
    // what must not outlive the program (an unsettled basket). False keeps it open.
    virtual bool QueryClose() { return true; }
    // The program closes: pending edits are saved or dropped. False keeps it open.
    virtual bool SaveBeforeClosing() { return true; }
};
