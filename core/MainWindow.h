#pragma once
#include <QString>

class Form;
class QWidget;
class Recordset;

// What pages and windows may ask of the main window, and through it of another page,
// without knowing it: the frame in shell/ implements it, and registers itself while it
// is loaded.
class MainWindow {
  public:
    virtual ~MainWindow() = default;

    // The loaded main window; null before it loads and after it unloads.
    static MainWindow* Get();
    static bool IsLoaded() { return Get() != nullptr; }
    // The loaded main window as the owner of the windows a page opens; null when none is.
    static Form* Owner();
    // Whether the operator sees a page now: the loaded window shows it, or no window holds it.
    // A page not seen follows a change when it is shown, not when the change is announced.
    static bool Shows(const QWidget* page);

    // The window itself: the owner of modeless windows, shown again when they close.
    virtual Form* Window() = 0;
    // Whether a page is the one the window shows now.
    virtual bool IsShowing(const QWidget* page) const = 0;

    // Procedures and recordsets of the pages that others call on.
    virtual void FillTypeLists() = 0;
    virtual Recordset* adoCDInfo() const = 0;
    virtual Recordset* adoDispBorrow() const = 0;
    virtual Recordset* adoDispCDInfo() const = 0;
    // The member information window for a customer key (a member's number or a walk-in
    // name): modal from the return page and its dialog, modeless beside the counter; owned
    // by `owner` (the return dialog that asks), or else by the main window.
    virtual void ShowMemberInfo(const QString& UserID, bool modal, QWidget* owner = nullptr) = 0;

    // Window-level state the pages share.
    bool IsActive = false;
    int CounterMode = 1;  // 1 rental, 2 sale
    bool SearchCancel = false;
    bool Searching = false;  // a search walks a page's list: its row moves refill nothing
    QString SortDirection;   // "ASC", "DESC" or "" at start

  protected:
    static void Register(MainWindow* window);
};
