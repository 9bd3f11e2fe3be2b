#pragma once
#include <QStringList>
#include <functional>
#include <vector>

#include "core/MainWindow.h"
#include "platform/ui/Form.h"

class QTabWidget;
class ShopPage;

// A main window for a page's tests: a real window hosting real pages on a tab control
// without tabs, driven through the page protocol as the frame drives its pages, so that a
// page is tested without every other page of the shop. What a page asks of another page
// goes to what the test gives the host; the counter's and the return page's lists are
// not here, so their refreshes are recorded and the recordsets are null.
class PageHost : public Form, public MainWindow {
    Q_OBJECT
  public:
    PageHost();
    ~PageHost() override;

    // The host owns the pages, in the order added; the first one shows until another is
    // activated.
    void AddPage(ShopPage* page);
    // What FillTypeLists and adoCDInfo answer (nothing and null until given).
    void SetTypeLists(std::function<void()> fill) { fillTypeLists_ = std::move(fill); }
    void SetCatalogue(std::function<Recordset*()> catalogue) { catalogue_ = std::move(catalogue); }

    // The frame's load: the classification lists, then each page's Load.
    void Form_Load() override;
    // Every page asks its closing questions; then every page saves what it holds.
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Esc pressed anywhere in the window stops a running search, as in the frame.
    void Form_KeyPress(int& KeyAscii) override;

    // What start-up does once the window is loaded.
    void EnableEntry();
    void ResetPanels();
    // A page button made the page the current one, unless the page showing would not be
    // left (false).
    bool Activate(ShopPage* page, int button);
    // Another page shows, as when the operator went to a page this host does not hold;
    // false when the page showing would not be left.
    bool ShowPage(ShopPage* page);

    // The orders the counter's and the return page's lists were asked to show, in turn.

    // The main-window interface.
    Form* Window() override { return this; }
    bool IsShowing(const QWidget* page) const override;
    void FillTypeLists() override;
    Recordset* adoCDInfo() const override;
    Recordset* adoDispBorrow() const override { return nullptr; }
    Recordset* adoDispCDInfo() const override { return nullptr; }
    void ShowMemberInfo(const QString& UserID, bool modal, QWidget* = nullptr) override {
        memberInfoShown_ << (UserID + (modal ? " modal" : " modeless"));
    }
    // The customers whose information window was asked for, each with how it was shown.
    const QStringList& MemberInfoShown() const { return memberInfoShown_; }

    QTabWidget* SSTab1;

  private:
    std::vector<ShopPage*> pages_;
    std::function<void()> fillTypeLists_;
    std::function<Recordset*()> catalogue_;
    QStringList memberInfoShown_;
};
