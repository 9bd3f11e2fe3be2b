#include "tests/core/PageHost.h"

#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/ShopPage.h"
#include "platform/ui/VbKeys.h"

PageHost::PageHost() {
    setObjectName("PageHost");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    SSTab1 = new QTabWidget;
    SSTab1->setObjectName("SSTab1");
    SSTab1->tabBar()->hide();
    layout->addWidget(SSTab1);
    resize(1240, 820);
    SetKeyPreview(true);
    Register(this);
}

PageHost::~PageHost() {
    if (MainWindow::Get() == this) Register(nullptr);
}

void PageHost::AddPage(ShopPage* page) {
    pages_.push_back(page);
    SSTab1->addTab(page, page->objectName());
}

void PageHost::Form_Load() {
    FillTypeLists();
    for (ShopPage* page : pages_) page->Load();
}

void PageHost::Form_QueryUnload(int& Cancel, int) {
    Cancel = 0;
    for (ShopPage* page : pages_)
        if (!page->QueryClose()) Cancel += 1;
}

void PageHost::Form_Unload(int& Cancel) {
    for (ShopPage* page : pages_) {
        if (!page->SaveBeforeClosing()) {
            Cancel = 1;
            return;
        }
    }
}

void PageHost::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii == vbKeyEscape) SearchCancel = true;
}

void PageHost::EnableEntry() {
    for (ShopPage* page : pages_) page->EnableEntry();
}

void PageHost::ResetPanels() {
    for (ShopPage* page : pages_) page->ResetPanels();
}

bool PageHost::Activate(ShopPage* page, int button) {
    if (!ShowPage(page)) return false;
    page->Activate(button);
    return true;
}

bool PageHost::ShowPage(ShopPage* page) {
    auto* current = qobject_cast<ShopPage*>(SSTab1->currentWidget());
    if (current && !current->MayLeave()) return false;
    SSTab1->setCurrentWidget(page);
    return true;
}

bool PageHost::IsShowing(const QWidget* page) const {
    return SSTab1->currentWidget() == page;
}

void PageHost::FillTypeLists() {
    if (fillTypeLists_) fillTypeLists_();
}

Recordset* PageHost::adoCDInfo() const {
    return catalogue_ ? catalogue_() : nullptr;
}
