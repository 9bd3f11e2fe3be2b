#pragma once
#include "catalogue/CataloguePage.h"
#include "catalogue/ClassificationLists.h"
#include "catalogue/SettingsPage.h"
#include "tests/core/CoreTest.h"
#include "tests/core/PageHost.h"

// The catalogue page and the settings page on a page host, on a shop database in a
// temporary program folder with the program's connection open: the two pages of this
// folder, driven as the main window drives them, with no other page of the shop. Tests
// fill the database before LoadPages().
class CataloguePagesTest : public CoreTest {
  protected:
    // The buttons of the two pages.
    static constexpr int kCatalogueButton = 2;
    static constexpr int kSettingsButton = 4;

    void SetUp() override {
        CoreTest::SetUp();
        SetToday(2026, 12, 8);
    }

    void TearDown() override {
        ClosePages();
        CoreTest::TearDown();
    }

    // A rental line numbered no (4 digits) of a title, for member 000001: returned (with
    // its return row) or still out.
    void AddRental(const QString& cdid, const QString& no, bool returned) {
        Data().Add(ShopData::Rental(cdid, no).PaidInCash().Returned(returned));
    }
    // A sale line numbered no of a title.
    void AddSale(const QString& cdid, const QString& no) { Data().Add(ShopData::Sale(cdid, no)); }

    // The main window's load: the classification lists fill both pages, then each page
    // loads. The rental counter's place shows, as it does after the load.
    PageHost& LoadPages() {
        host_ = new PageHost;
        settings_ = new SettingsPage;
        catalogue_ = new CataloguePage;
        other_ = new ShopPage;
        other_->setObjectName("OtherPage");
        host_->AddPage(settings_);
        host_->AddPage(catalogue_);
        host_->AddPage(other_);
        host_->SetTypeLists([this] { Lists().FillTypeLists(); });
        host_->SetCatalogue([this] { return catalogue_->OpenedCatalogue(); });
        host_->Load();
        host_->ShowPage(other_);
        Settle();
        return *host_;
    }

    // The pages as start-up leaves them (entry enabled), the window shown and active.
    PageHost& StartPages() {
        LoadPages();
        host_->EnableEntry();
        host_->ResetPanels();
        EXPECT_TRUE(ShowActive(host_));
        return *host_;
    }

    // The page buttons of the two pages, and any other page's.
    void ShowCataloguePage() {
        host_->Activate(catalogue_, kCatalogueButton);
        Settle();
    }
    void ShowSettingsPage() {
        host_->Activate(settings_, kSettingsButton);
        Settle();
    }
    void ShowAnotherPage() {
        host_->ShowPage(other_);
        Settle();
    }

    // Throws the pages away without the closing questions and saves.
    void ClosePages() {
        delete host_;
        host_ = nullptr;
        Settle();
    }

    bool Loaded() const { return host_ != nullptr; }
    PageHost& Host() { return *host_; }
    CataloguePage& CatalogueTab() { return *catalogue_; }
    SettingsPage& SettingsTab() { return *settings_; }
    ClassificationLists& Lists() { return ClassificationLists::Of(*settings_, *catalogue_); }

  private:
    PageHost* host_ = nullptr;
    SettingsPage* settings_ = nullptr;
    CataloguePage* catalogue_ = nullptr;
    ShopPage* other_ = nullptr;
};
