#pragma once
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/CopyList.h"
#include "core/ShelfCopies.h"
#include "counter/CounterPage.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "platform/ui/Controls.h"
#include "tests/core/PageHost.h"
#include "tests/counter/BasketFixture.h"

// The counter page on a page host, shown in rental mode, with its check-out and settlement
// dialogs; the tests put a title under the list's cursor with its shelf copies, as the
// counter's list shows them.
class BasketPageFixture : public BasketFixture {
  protected:
    void TearDown() override {
        frmControlBorrow::unload();
        frmControlSell::unload();
        frmUseTaxPay::unload();
        frmSellPay::unload();
        delete host_;
        host_ = nullptr;
        Settle();
        BasketFixture::TearDown();
    }

    CounterPage& Start(int button = 0) {
        host_ = new PageHost;
        page_ = new CounterPage;
        host_->AddPage(page_);
        host_->Load();
        host_->EnableEntry();
        host_->ResetPanels();
        EXPECT_TRUE(ShowActive(host_));
        host_->Activate(page_, button);
        Settle();
        return *page_;
    }

    // The title under the counter list's cursor, with its copies on the shelf listed.
    void Current(const QString& cdid) {
        page_->adoDispCDInfo = std::make_unique<Recordset>();
        page_->adoDispCDInfo->Open("select * from cdinfo where cdid = ?1", gConn, adLockReadOnly,
                                   {cdid});
        const Recordset& title = *page_->adoDispCDInfo;
        const ShelfCopies shelf =
            ShelfCopies::Of(gConn, cdid, static_cast<int>(title["count"].ToInt()));
        ListItemList items = page_->ListView1->ListItems();
        items.Clear();
        for (int copy : shelf.Copies) items.Add(0, QString(), CopyList::CopyText(copy));
    }

    frmControlBorrow& OpenRental(const QString& cdid) {
        Current(cdid);
        page_->RentalBasket->CmdBorrow_Click();
        Settle();
        return frmControlBorrow::instance();
    }
    frmControlSell& OpenSale(const QString& cdid) {
        Current(cdid);
        page_->SaleBasket->Command15_Click();
        Settle();
        return frmControlSell::instance();
    }

    // Checks exactly the listed copies (1-based item positions).
    static void CheckOnly(ListView* list, std::initializer_list<int> items) {
        ListItemList all = list->ListItems();
        for (int i = 1; i <= all.Count(); ++i) all(i)->SetChecked(false);
        for (int i : items)
            if (ListItem* item = all(i)) item->SetChecked(true);
    }
    static QString Items(ListView* list) {
        QStringList out;
        ListItemList all = list->ListItems();
        for (int i = 1; i <= all.Count(); ++i)
            out << all(i)->Text() + (all(i)->Checked() ? "✓" : "");
        return out.join(',');
    }
    // The basket list's rows: text/id/name/copies.
    static QString Rows(ListView* list) {
        QStringList out;
        ListItemList all = list->ListItems();
        for (int i = 1; i <= all.Count(); ++i)
            out << QStringList{all(i)->Text(), all(i)->SubItems(1), all(i)->SubItems(2),
                               all(i)->SubItems(3)}
                       .join('/');
        return out.join(',');
    }

    PageHost* host_ = nullptr;
    CounterPage* page_ = nullptr;
};
