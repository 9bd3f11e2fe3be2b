#pragma once
#include <QTimer>
#include <functional>

#include <QCheckBox>
#include <QPushButton>
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MaskEdBox.h"
#include "returns/ReturnPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/core/CoreTest.h"
#include "tests/core/PageHost.h"
#include "tests/support/DatabaseDump.h"

// The return page on a page host, its return dialog and payment dialog, on a shop file in
// a temporary program folder with the program's connection open. The clock stands at
// 2026-12-08 10:00 (a Tuesday) unless a test moves it. Tests fill the shop before
// OpenPage().
class ReturnsTest : public CoreTest {
  protected:
    static constexpr int kReturnButton = 1;

    void SetUp() override {
        CoreTest::SetUp();
        SetToday(2026, 12, 8);
    }

    void TearDown() override {
        frmPayMoney::unload();
        frmControlBack::unload();
        delete host_;
        host_ = nullptr;
        Settle();
        CoreTest::TearDown();
    }

    // A title of three copies, lent out, rent per day (or "每次"): walk-in and member rent.
    void AddTitle(const QString& cdid, const QString& name, double rent, double memberRent,
                  const QString& per = QStringLiteral("每天")) {
        Data().Add(ShopData::Title(cdid, name)
                       .Copies(3)
                       .Prices(20, rent, 30)
                       .RentPer(per)
                       .Key(name == QStringLiteral("英雄") ? QStringLiteral("yx") : cdid.right(4))
                       .Set("memberborrowprice", memberRent)
                       .Set("station", QStringLiteral("借出部分")));
    }
    void AddMember(const QString& userid, double money) {
        Data().Add(ShopData::Member(userid, QStringLiteral("会员") + userid).Money(money));
    }
    // A settled rental line: the copies in `copies` ("&1#&2#"), all unpaid, with a cash
    // deposit (or, with a pledge text, the pledge).
    ShopData::Rental Line(const QString& cdid, const QString& no, const QString& customer,
                          const QString& when, const QString& copies, double deposit = 0,
                          const QString& pledge = QString()) {
        ShopData::Rental r(cdid, no);
        r.By(customer).On(when);
        r.Set("borrowcount", static_cast<int>(copies.count('&')));
        r.Set("borrowlst", copies);
        r.Set("isnotpaylst", copies);
        r.Set("money", 0);
        if (pledge.isEmpty()) {
            r.Set("CredenceType", QStringLiteral("现金"));
            r.Set("foregift", deposit);
        } else {
            r.Set("CredenceType", QStringLiteral("证件"));
            r.Set("foregift", 0);
            r.Set("Guaranty", pledge);
        }
        return r;
    }
    void AddLine(const ShopData::Row& line) { Data().Add(line); }
    void AddReturn(const QString& borrowid, const QString& no, const QString& when,
                   const QString& copies) {
        Data().Add(ShopData::Return(borrowid, no)
                       .On(when)
                       .Set("returncount", static_cast<int>(copies.count('&')))
                       .Set("returnlst", copies));
    }

    // The main window's load, then the return page's button.
    ReturnPage& OpenPage() {
        host_ = new PageHost;
        page_ = new ReturnPage;
        other_ = new ShopPage;
        other_->setObjectName("OtherPage");
        host_->AddPage(page_);
        host_->AddPage(other_);
        host_->Load();
        EXPECT_TRUE(ShowActive(host_));
        host_->Activate(page_, kReturnButton);
        Settle();
        return *page_;
    }
    void ShowAnotherPage() {
        host_->ShowPage(other_);
        Settle();
    }
    PageHost& Host() { return *host_; }
    ReturnPage& Page() { return *page_; }

    // The return dialog opened for a customer, as "处理本次出租" opens it for the renter of
    // the list's current row.
    frmControlBack& OpenDialog(const QString& customer) {
        if (!host_) OpenPage();
        Recordset* list = page_->adoDispBorrow.get();
        EXPECT_TRUE(list->Find(QStringLiteral("name = '%1'").arg(customer)));
        page_->Command5_Click();
        Settle();
        EXPECT_TRUE(frmControlBack::isLoaded());
        return frmControlBack::instance();
    }

    // The operator ticks or unticks copy `index` (1-based) of the line shown.
    static void Tick(frmControlBack& d, int index, bool on) {
        ListItem* item = d.ListView1->ListItems().Item(index);
        item->SetChecked(on);
        d.ListView1_ItemCheck(item);
    }
    // The operator clicks a line of LvwBack (1-based).
    static void ShowRow(frmControlBack& d, int row) {
        ListItem* item = d.LvwBack->ListItems().Item(row);
        d.LvwBack->SetSelectedItem(item);
        d.LvwBack_ItemClick(item);
    }
    // The operator clicks a switch.
    static void Click(QCheckBox* box) {
        box->click();
        Settle();
    }

    // What the operator does in the payment dialog once the settlement shows it; counts
    // how often it was shown. A dialog the act left open is cancelled, so a test never waits.
    void WhenPaymentShows(std::function<void(frmPayMoney&)> act) {
        QTimer::singleShot(0, [this, act] {
            if (!frmPayMoney::isLoaded() || !frmPayMoney::instance().IsShownModal()) return;
            ++paymentsShown_;
            act(frmPayMoney::instance());
            if (frmPayMoney::isLoaded() && !frmPayMoney::instance().IsUnloaded())
                frmPayMoney::instance().Command3_Click();
        });
    }
    // Settles the dialog and pays what it asks: from the stored money for a member, in
    // cash (the exact amount) otherwise.
    void SettleAndPay(frmControlBack& d) {
        WhenPaymentShows([](frmPayMoney& p) {
            if (!p.StoredMoneyMode() && p.AmountDue() > Money())
                p.TxtCatchFact->SetText(p.AmountDue().PlainText());
            p.Command1->click();
        });
        d.Command3->click();
        Settle();
    }
    int PaymentsShown() const { return paymentsShown_; }

    QString Caption(Label* l) const { return l->Caption(); }
    QStringList Items(ListView* l) const {
        QStringList out;
        for (int i = 1; i <= l->ListItems().Count(); ++i) {
            ListItem* item = l->ListItems().Item(i);
            out << item->Text() + (l->Checkboxes() && item->Checked() ? "✓" : "");
        }
        return out;
    }
    QStringList Dump() const { return DatabaseDump(DbPath()); }

  private:
    PageHost* host_ = nullptr;
    ReturnPage* page_ = nullptr;
    ShopPage* other_ = nullptr;
    int paymentsShown_ = 0;
};
