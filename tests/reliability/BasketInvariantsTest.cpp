// A long random sequence of what a hostile operator does at a busy counter, through the
// counter page's panels and its dialogs on a small shop: check-outs and line edits left open
// while other buttons are pressed, stale dialogs confirmed after the shelf changed, removals
// and settlements, prices, member prices and the deposit rule changed in between, members
// leaving, titles discarded, the closing rollback, returns, and the program killed and started
// again. After every step: the panels show what the open baskets' stored lines add up to, a
// line edit left each copy it kept at what it was confirmed at and priced only the copies new
// to the line (by the basket's terms), nothing but the basket's own buttons changed what an
// open line holds, every settled basket holds the money it was settled for (line by line
// what they were confirmed at when settled for the amount offered), no stored amount is
// negative, every title's copies add up (out + sold + shelf = count, issell as its copies
// say), and the file is sound. Run with several seeds.
#include <QCheckBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <algorithm>
#include <iostream>
#include <memory>
#include <random>

#include "core/CopyList.h"
#include "core/MoneyShares.h"
#include "core/OpenBasketRow.h"
#include "core/RecordNumber.h"
#include "core/ShelfCopies.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/CopyChecks.h"
#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/MaskEdBox.h"
#include "tests/counter/BasketPageFixture.h"
#include "tests/reliability/CrashInvariants.h"
#include "tests/reliability/CrashRestart.h"

namespace {
constexpr int kOperations = 1200;
constexpr int kTitles = 14;
const QStringList kMembers{"000001", "000002", "000003"};

// The open basket's stored lines: how many, their copies, what they hold.
const char* const kRentalSums =
    "select count(*), coalesce(sum(borrowcount),0), round(coalesce(sum(foregift),0),2) "
    "from borrowinfo where substr(borrowid,-4) = ?1";
const char* const kSaleSums =
    "select count(*), coalesce(sum(sellcount),0), round(coalesce(sum(money),0),2) "
    "from sellinfo where substr(sellid,-4) = ?1";
// What the basket list shows a line as: disc number / line / name / copies.
const char* const kRentalRows =
    "select group_concat(c.id||'/'||b.borrowid||'/'||c.name||'/'||b.borrowcount, ',') from "
    "(select * from borrowinfo where substr(borrowid,-4) = ?1 order by rowid) as b "
    "join cdinfo as c on c.cdid = substr(b.borrowid,1,12)";
const char* const kSaleRows =
    "select group_concat(c.id||'/'||s.sellid||'/'||c.name||'/'||s.sellcount, ',') from "
    "(select * from sellinfo where substr(sellid,-4) = ?1 order by rowid) as s "
    "join cdinfo as c on c.cdid = substr(s.sellid,1,12)";
// A cheap picture of every line, to tell whether a press changed anything.
const char* const kLinesPicture =
    "select (select group_concat(borrowid||borrowcount||borrowlst||printf('%.2f',foregift)) "
    "        from borrowinfo) || '|' || "
    "       (select group_concat(sellid||sellcount||selllst||printf('%.2f',money)) from sellinfo)";
const char* const kNegatives =
    "select (select count(*) from borrowinfo where foregift < 0) + "
    "       (select count(*) from sellinfo where money < 0) + "
    "       (select count(*) from userinfo where money < 0)";
const char* const kSettledOut =
    "select borrowid from borrowinfo where isreturnall = 0 and substr(borrowid,-4) <> ?1 "
    "order by borrowid";
const char* const kStrictSaleState =
    "select group_concat(cdid) from cdinfo where issell <> case "
    " when (select coalesce(sum(sellcount),0) from sellinfo where substr(sellid,1,12) = cdid) "
    "      = 0 then 0 "
    " when (select coalesce(sum(sellcount),0) from sellinfo where substr(sellid,1,12) = cdid) "
    "      >= count then 2 else 1 end";

// What open lines hold, by line.
const char* const kOpenAmounts =
    "select borrowid, foregift from borrowinfo where substr(borrowid,-4) in "
    "(select basketno from openbasket where kind = 'borrow') union all "
    "select sellid, money from sellinfo where substr(sellid,-4) in "
    "(select basketno from openbasket where kind = 'sell')";
const char* const kLineAmounts =
    "select borrowid, foregift from borrowinfo where substr(borrowid,-4) = ?1 and ?2 = 1 "
    "union all select sellid, money from sellinfo where substr(sellid,-4) = ?1 and ?2 = 0";
const char* const kSalePrices = "select sellprice, membersellprice from cdinfo where cdid = ?1";

class BasketInvariantsTest : public BasketPageFixture,
                             public ::testing::WithParamInterface<unsigned> {
  protected:
    void SetUp() override {
        BasketPageFixture::SetUp();
        random_.seed(GetParam());
        Data().Add(ShopData::Member("000003", "王五").Money(200));
        for (int i = 1; i <= kTitles; ++i) AddShopTitle(i);
        SetDeposit(1, 20, 12);
    }
    void AddShopTitle(int i) {
        AddTitle(Cdid(i), QString("片%1").arg(i), 1 + i % 4, 5 + i,
                 i % 3 ? QVariant(10 + i) : QVariant(), i % 4 ? QVariant(4 + i) : QVariant());
    }
    static QString Cdid(int i) { return QString("0301%1").arg(i, 8, 10, QChar('0')); }

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    // A title of the catalogue (some may have been discarded).
    QString AnyTitle() {
        QStringList titles;
        Statement st(gConn, "select cdid from cdinfo order by cdid");
        while (st.Step()) titles << st.Column(0).ToString();
        return titles[Pick(titles.size())];
    }
    QString AnyMember() { return Chance(10) ? QString("999999") : kMembers[Pick(kMembers.size())]; }
    void Select(ListView* list, int row) { list->SetSelectedItem(list->ListItems()(row)); }
    void CheckSome(ListView* list) {
        ListItemList items = list->ListItems();
        for (int i = 1; i <= items.Count(); ++i) items(i)->SetChecked(Chance(60));
    }
    QString Picture() { return gConn.Scalar(kLinesPicture).ToString(); }
    static std::vector<int> Copies(ListView* list) {
        std::vector<int> copies;
        ListItemList items = list->ListItems();
        for (int i = 1; i <= items.Count(); ++i)
            copies.push_back(CopyList::CopyOfText(items(i)->Text()));
        return copies;
    }
    // The copies a title's line may take now: the shelf's and, for a line edit, the line's.
    std::vector<int> AsTheyStand(bool rental, const QString& cdid, const QString& line) {
        std::vector<int> copies;
        if (const std::optional<ShelfCopies> shelf = ShelfCopies::OfTitle(gConn, cdid))
            copies = shelf->Copies;
        if (!line.isEmpty())
            if (const auto own = (rental ? BasketLines::Rental : BasketLines::Sale).Of(gConn, line))
                for (int copy : CopyList::Numbers(own->copyList)) copies.push_back(copy);
        std::sort(copies.begin(), copies.end());
        return copies;
    }
    bool Held(CheckOutForm* dialog) const { return dialog && dialog->HoldsLineEdit(); }
    CheckOutForm* RentalDialog() {
        return frmControlBorrow::isLoaded() ? &frmControlBorrow::instance() : nullptr;
    }
    CheckOutForm* SaleDialog() {
        return frmControlSell::isLoaded() ? &frmControlSell::instance() : nullptr;
    }
    // A press that must do nothing while its dialog holds a line edit.
    bool Still(CheckOutForm* dialog, const std::function<void()>& press) {
        const QString before = Picture();
        const QString editing = dialog->EditedLine();
        press();
        Settle();
        EXPECT_EQ(Picture(), before) << "a press while a line edit is open changed the lines";
        EXPECT_TRUE(dialog->HoldsLineEdit() && dialog->EditedLine() == editing);
        ++stillPresses_;
        return true;
    }

    // ---- the two panels: what they share ---------------------------------------------------
    // One basket panel with its check-out dialog, as the sequence drives it.
    struct Side {
        bool rental;
        ListView* lines;
        QPushButton* edit;
        QPushButton* remove;
        bool* typed;  // the panel's amount box holds what the operator typed
    };
    Side Rental() {
        return {true, page_->LvwReturn, page_->CmdBorrowEdit, page_->CmdDel, &credenceTyped_};
    }
    Side Sale() {
        return {false, page_->lvwSell, page_->CmdSellEdit, page_->CmdDelSellCD, &moneyTyped_};
    }
    CheckOutForm* DialogOf(const Side& side) { return side.rental ? RentalDialog() : SaleDialog(); }
    CheckOutForm* VisibleDialogOf(const Side& side) {
        CheckOutForm* dialog = DialogOf(side);
        return dialog && dialog->isVisible() ? dialog : nullptr;
    }
    bool BasketOpen(const Side& side) const {
        return side.rental ? gBorrowBasket.Open : gSellBasket.Open;
    }
    void PressCheckOut(const Side& side, const QString& cdid) {
        Current(cdid);
        if (side.rental)
            page_->RentalBasket->CmdBorrow_Click();
        else
            page_->SaleBasket->Command15_Click();
        Settle();
    }

    bool CheckOut(const Side& side) {
        if (Held(DialogOf(side)))
            return Still(DialogOf(side), [&] { PressCheckOut(side, AnyTitle()); });
        PressCheckOut(side, AnyTitle());
        CheckOutForm* d = VisibleDialogOf(side);
        if (!d) return false;
        if (!BasketOpen(side) && Chance(40)) {
            d->Option3->click();
            d->TxtName->setText(AnyMember());
        }
        CheckSome(d->ListView1);
        if (Chance(35)) return true;  // left open, to be confirmed later, maybe stale
        return Confirm(side, *d);
    }
    // A confirmation the shelf refuses writes nothing, and its dialog then lists the copies as
    // they stand: the title's on the shelf and, for a line edit, the line's own; none when the
    // title is gone.
    bool Confirm(const Side& side, CheckOutForm& d) {
        const std::size_t told = MsgBoxLog::Get().Calls().size();
        const QString before = Picture();
        const QString cdid = d.LblCDID->Caption();
        const QString line = d.EditedLine();
        d.Command1->click();
        Settle();
        const std::vector<MsgBoxCall>& calls = MsgBoxLog::Get().Calls();
        for (std::size_t i = told; i < calls.size(); ++i) {
            const bool copiesGone = calls[i].prompt.contains("已经不在架上");
            const bool titleGone = calls[i].prompt.contains("已经从光盘库中删除");
            if (!copiesGone && !titleGone) continue;
            ++staleRefused_;
            EXPECT_EQ(Picture(), before) << "a refused confirmation wrote";
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(Copies(d.ListView1),
                      titleGone ? std::vector<int>{} : AsTheyStand(side.rental, cdid, line));
        }
        if (!d.isVisible()) *side.typed = false;
        if (d.isVisible() && Chance(50)) d.Command2->click();
        return true;
    }
    bool ConfirmOpen(const Side& side) {
        CheckOutForm* d = VisibleDialogOf(side);
        if (!d) return false;
        if (Chance(30)) CheckSome(d->ListView1);
        return d->HoldsLineEdit() ? ConfirmEdit(side, *d) : Confirm(side, *d);
    }
    bool LeaveOpen(const Side& side) {
        CheckOutForm* d = VisibleDialogOf(side);
        if (!d) return false;
        if (Chance(50))
            d->Command2->click();
        else
            d->close();
        Settle();
        return true;
    }
    bool Edit(const Side& side) {
        const int rows = side.lines->ListItems().Count();
        if (rows == 0) return false;
        const auto press = [&] {
            Select(side.lines, 1 + Pick(rows));
            side.edit->click();
            Settle();
        };
        if (Held(DialogOf(side))) return Still(DialogOf(side), press);
        press();
        CheckOutForm* d = DialogOf(side);
        if (!d || !d->HoldsLineEdit()) return false;
        CheckSome(d->ListView1);
        if (Chance(50)) return true;  // left open while other buttons are pressed
        return ConfirmEdit(side, *d);
    }
    // A line edit confirmed: each copy kept keeps its share of what the line held, a copy new
    // to it costs what the basket's terms ask now (a basket's one sum lies over its lines).
    bool ConfirmEdit(const Side& side, CheckOutForm& d) {
        const QString lineId = d.EditedLine();
        const BasketLines& kind = side.rental ? BasketLines::Rental : BasketLines::Sale;
        const std::optional<BasketLines::Line> before = kind.Of(gConn, lineId);
        const std::vector<int> ticked = CopyChecks::Checked(d.ListView1);
        const bool fixedSum = side.rental && gBorrowBasket.DepositRule == 2;
        Confirm(side, d);
        if (d.isVisible() || !before || ticked.empty()) return true;  // refused or left
        const std::optional<BasketLines::Line> after = kind.Of(gConn, lineId);
        EXPECT_TRUE(after.has_value());
        if (!after || fixedSum) return true;
        EXPECT_EQ(after->amount.Text(), ExpectedAfterEdit(side, *before, ticked).Text())
            << "line " << lineId.toStdString() << " edited to " << after->copyList.toStdString()
            << " from " << before->copyList.toStdString() << " holding "
            << before->amount.Text().toStdString();
        ++editsChecked_;
        for (const QString& change : changesSinceEdit_) ++editsAfter_[change];
        changesSinceEdit_.clear();
        return true;
    }
    Money ExpectedAfterEdit(const Side& side, const BasketLines::Line& line,
                            const std::vector<int>& ticked) {
        const std::vector<int> own = CopyList::Numbers(line.copyList);
        const std::vector<Money> shares =
            MoneyShares::Of(line.amount, std::vector<qint64>(own.size(), 1));
        Money expected;
        for (std::size_t i = 0; i < own.size(); ++i)
            if (std::find(ticked.begin(), ticked.end(), own[i]) != ticked.end())
                expected += shares[i];
        const auto added = std::count_if(ticked.begin(), ticked.end(), [&own](int copy) {
            return std::find(own.begin(), own.end(), copy) == own.end();
        });
        return expected + CopyPriceNow(side, line.lineId.left(12)).Times(added);
    }
    Money CopyPriceNow(const Side& side, const QString& cdid) {
        if (side.rental)
            return gBorrowBasket.DepositRule == 0 ? BuyMoneyOf(gConn, cdid)
                                                  : gBorrowBasket.DepositPerCopy;
        Statement prices(gConn, kSalePrices);
        prices.Bind({cdid});
        if (!prices.Step() || prices.Column(0).IsNull()) return Money();
        return Money::FromStored(prices.Column(gSellBasket.Member ? 1 : 0).ToDouble());
    }
    bool Remove(const Side& side) {
        const int rows = side.lines->ListItems().Count();
        if (rows == 0) return false;
        const auto press = [&] {
            Select(side.lines, 1 + Pick(rows));
            side.remove->click();
            Settle();
        };
        if (Held(DialogOf(side))) return Still(DialogOf(side), press);
        press();
        // The rental's amount box follows the deposit unless a pledge was typed.
        if (!side.rental || ParseAmount(page_->TxtCredence->text())) *side.typed = false;
        return true;
    }

    // A check-out dialog left open while the other panel's dialog takes the same title's
    // copies off the shelf (or the catalogue discards the title), then confirmed as it stands.
    bool ConfirmStale() {
        const bool rental = Chance(50);
        const Side stale = rental ? Rental() : Sale();
        const Side other = rental ? Sale() : Rental();
        CheckOutForm* d = VisibleDialogOf(stale);
        if (!d || Held(DialogOf(other))) return false;
        const QString cdid = d->LblCDID->Caption();
        const bool unused =
            Count("select count(*) from borrowinfo where substr(borrowid,1,12) = '" + cdid + "'") +
                Count("select count(*) from sellinfo where substr(sellid,1,12) = '" + cdid + "'") ==
            0;
        if (unused && Chance(25)) {
            Sql("delete from cdinfo where cdid = '" + cdid + "'");
        } else {
            PressCheckOut(other, cdid);
            CheckOutForm* taker = VisibleDialogOf(other);
            if (!taker) return false;
            ListItemList items = taker->ListView1->ListItems();
            for (int i = 1; i <= items.Count(); ++i) items(i)->SetChecked(true);
            Confirm(other, *taker);
        }
        if (CopyChecks::Checked(d->ListView1).empty()) CheckSome(d->ListView1);
        return Confirm(stale, *d);
    }

    bool CheckOutRental() { return CheckOut(Rental()); }
    bool ConfirmOpenRental() { return ConfirmOpen(Rental()); }
    bool LeaveOpenRental() { return LeaveOpen(Rental()); }
    bool EditRental() { return Edit(Rental()); }
    bool RemoveRental() { return Remove(Rental()); }
    bool CheckOutSale() { return CheckOut(Sale()); }
    bool ConfirmOpenSale() { return ConfirmOpen(Sale()); }
    bool LeaveOpenSale() { return LeaveOpen(Sale()); }
    bool EditSale() { return Edit(Sale()); }
    bool RemoveSale() { return Remove(Sale()); }

    // ---- the settlements ------------------------------------------------------------------

    bool SettleRental() {
        if (!gBorrowBasket.Open) return false;
        const QString no = gBorrowBasket.No;
        const bool member = page_->LblBorrowUserNameTotle->Caption() == "会员编号：";
        const int how = Pick(4);  // as offered, another amount, a pledge, let off
        if (how == 1) page_->TxtCredence->setText(MoneyText(Pick(9000) / 100.0));
        if (how == 2) page_->TxtCredence->setText("O'Brien's 身份证");
        if (how != 0) credenceTyped_ = true;
        const bool cancel = Chance(15);
        const bool waive = how == 3 && member;
        const auto shown = std::make_shared<bool>(false);
        WhenShown<frmUseTaxPay>(
            [=](frmUseTaxPay& pay) {
                *shown = true;
                if (cancel) return pay.Command3->click();
                if (waive) pay.Check1->click();
                pay.TxtCatchFact->SetText("99999");
                pay.Command1->click();
            },
            0);
        const auto press = [&] {
            page_->CmdTax->click();
            Settle();
        };
        if (Held(RentalDialog())) {
            Still(RentalDialog(), press);
            EXPECT_FALSE(*shown) << "a settlement while a line edit is open";
            return true;
        }
        const std::optional<double> amount = ParseAmount(page_->TxtCredence->text());
        const bool asOffered = how == 0 && !credenceTyped_ && !waive;
        const QHash<QString, double> lines = LineAmounts(true, no);
        press();
        if (gBorrowBasket.Open) return true;  // cancelled
        settledRentals_[no] = waive || !amount ? 0 : Yuan(*amount).ToStored();
        if (asOffered) RecordSettledLines(lines);
        credenceTyped_ = false;
        return true;
    }

    bool SettleSale() {
        if (!gSellBasket.Open) return false;
        const QString no = gSellBasket.No;
        if (Chance(30)) {
            page_->MskFactSellMoney->SetText(MoneyText(Pick(30000) / 100.0));
            moneyTyped_ = true;
        }
        const bool cancel = Chance(15);
        const bool storedMoney = Chance(60);
        const auto shown = std::make_shared<bool>(false);
        WhenShown<frmSellPay>(
            [=](frmSellPay& pay) {
                *shown = true;
                if (cancel) return pay.Command3->click();
                if (!storedMoney && pay.Option1_1->isEnabled()) pay.Option1_1->click();
                pay.TxtCatchFact->SetText("99999");
                pay.Command1->click();
            },
            0);
        const auto press = [&] {
            page_->CmdSellTax->click();
            Settle();
        };
        if (Held(SaleDialog())) {
            Still(SaleDialog(), press);
            EXPECT_FALSE(*shown) << "a settlement while a line edit is open";
            return true;
        }
        const double amount = Yuan(ParseAmount(page_->MskFactSellMoney->Text()).value()).ToStored();
        const bool asOffered = !moneyTyped_;
        const QHash<QString, double> lines = LineAmounts(false, no);
        press();
        if (gSellBasket.Open) return true;
        settledSales_[no] = amount;
        if (asOffered) RecordSettledLines(lines);
        moneyTyped_ = false;
        return true;
    }

    // ---- the rest of the shop -------------------------------------------------------------
    bool ChangePrice() {
        const QString cdid = AnyTitle();
        Sql(QString("update cdinfo set sellprice = %1, membersellprice = %2, buymoney = %3, "
                    "price = %4 where cdid = '%5'")
                .arg(Pick(300) / 4.0)
                .arg(Chance(20) ? QString("null") : QString::number(Pick(200) / 4.0))
                .arg(Chance(30) ? QString("null") : QString::number(Pick(100) / 3.0))
                .arg(Pick(60))
                .arg(cdid));
        return true;
    }
    bool ChangePurchasePrice() {  // the catalogue saves what a copy cost the shop
        Sql(QString("update cdinfo set buymoney = %1 where cdid = '%2'")
                .arg(Chance(20) ? QString("null") : QString::number(Pick(9000) / 100.0))
                .arg(AnyTitle()));
        return true;
    }
    bool ChangeMemberPercentage() {  // the settings page's member sale percentage
        Sql(QString("update cdinfo set membersellprice = round(sellprice * %1, 2)")
                .arg(0.5 + Pick(50) / 100.0));
        return true;
    }
    bool ChangeDepositRule() {
        SetDeposit(Pick(3), Pick(4000) / 100.0, Pick(4000) / 100.0);
        return true;
    }
    bool MemberLeavesOrJoins() {
        const QString member = kMembers[Pick(kMembers.size())];
        if (Count("select count(*) from userinfo where userid = '" + member + "'") > 0)
            Sql("delete from userinfo where userid = '" + member + "'");
        else
            Data().Add(ShopData::Member(member, "回来的").Money(Pick(300)));
        return true;
    }
    // The catalogue discards a title nothing is out of or open on, or takes a new one in.
    bool DiscardOrAddTitle() {
        const int i = 1 + Pick(kTitles);
        const QString cdid = Cdid(i);
        if (Count("select count(*) from cdinfo where cdid = '" + cdid + "'") == 0) {
            AddShopTitle(i);
            return true;
        }
        if (Count("select count(*) from borrowinfo where substr(borrowid,1,12) = '" + cdid + "'") +
                Count("select count(*) from sellinfo where substr(sellid,1,12) = '" + cdid + "'") >
            0)
            return false;
        Sql("delete from cdinfo where cdid = '" + cdid + "'");
        return true;
    }
    bool CloseTheProgram() {
        if (!gBorrowBasket.Open && !gSellBasket.Open) return false;
        if (gBorrowBasket.Open) MsgBoxLog::Get().QueueAnswer(vbYes);
        if (gSellBasket.Open) MsgBoxLog::Get().QueueAnswer(vbYes);
        EXPECT_TRUE(page_->QueryClose());
        Settle();
        credenceTyped_ = moneyTyped_ = false;
        return true;
    }
    // The return page takes a settled rental line back whole and gives its deposit back.
    bool ReturnSettledRental() {
        Statement st(gConn, kSettledOut);
        st.Bind({gBorrowBasket.Open ? gBorrowBasket.No : QString("----")});
        QStringList out;
        while (st.Step()) out << st.Column(0).ToString();
        if (out.isEmpty()) return false;
        const QString borrowid = out[Pick(out.size())];
        settledRentals_[borrowid.right(4)] =
            (Yuan(settledRentals_[borrowid.right(4)]) -
             Yuan(gConn.Scalar("select foregift from borrowinfo where borrowid = ?1", {borrowid})
                      .ToDouble()))
                .ToStored();
        if (settledLines_.contains("borrowinfo " + borrowid))
            settledLines_["borrowinfo " + borrowid] = 0;
        Transaction t(gConn);
        const QString no = *RecordNumber::Lowest(gConn, RecordNumber::Return);
        gConn.Execute(
            "insert into returninfo (returnid, returndate, returncount, returnlst) "
            "select borrowid || ?2, '2026-12-08 12:00:00', borrowcount, borrowlst "
            "from borrowinfo where borrowid = ?1",
            {borrowid, no});
        gConn.Execute(
            "update borrowinfo set isreturnall = 1, isnotpaylst = '', foregift = 0, "
            "IsReturnGuaranty = 1 where borrowid = ?1",
            {borrowid});
        gConn.Execute(
            "update cdinfo set station = case when exists (select 1 from borrowinfo as o "
            "where substr(o.borrowid,1,12) = cdinfo.cdid and o.borrowcount > coalesce((select "
            "sum(returncount) from returninfo where substr(returnid,1,16) = o.borrowid), 0)) "
            "then '借出部分' else '未借出' end where cdid = substr(?1,1,12)",
            {borrowid});
        t.Commit();
        return true;
    }

    // The program killed (no closing, no rollback) and started again on its file: the
    // start-up rolls back what was open and tells the operator once (CrashRestart's checks).
    bool KillAndRestart() {
        if (!Chance(35)) return false;  // rarer than a press: it ends whatever is open
        const std::vector<CrashRestart::Basket> open = CrashRestart::OpenIn(DbPath());
        frmControlBorrow::unload();
        frmControlSell::unload();
        delete host_;
        host_ = nullptr;
        page_ = nullptr;
        Settle();
        ResetGlobalState();
        const std::optional<CrashRestart::Boxes> boxes = CrashRestart::Start(Dir());
        EXPECT_TRUE(boxes.has_value()) << "the start-up did not run to its end";
        if (boxes) {
            const QStringList broken = CrashRestart::CheckStarted(DbPath(), open, *boxes);
            EXPECT_TRUE(broken.isEmpty()) << broken.join("; ").toStdString();
        }
        gConn.OpenFile(DbPath());
        Start();
        credenceTyped_ = moneyTyped_ = false;
        rolledBack_ += static_cast<int>(open.size());
        return true;
    }

    // ---- the checks -----------------------------------------------------------------------
    QHash<QString, double> LineAmounts(bool rental, const QString& no) {
        QHash<QString, double> amounts;
        Statement st(gConn, kLineAmounts);
        st.Bind({no, rental ? 1 : 0});
        // Rental and sale lines share their ids' form: the key says which.
        while (st.Step())
            amounts[(rental ? "borrowinfo " : "sellinfo ") + st.Column(0).ToString()] =
                st.Column(1).ToDouble();
        return amounts;
    }
    void RecordSettledLines(const QHash<QString, double>& lines) {
        for (auto it = lines.cbegin(); it != lines.cend(); ++it) settledLines_[it.key()] = *it;
    }
    QString OpenAmounts() {
        QStringList out;
        Statement st(gConn, kOpenAmounts);
        while (st.Step())
            out << st.Column(0).ToString() + "=" + Yuan(st.Column(1).ToDouble()).Text();
        out.sort();
        return out.join(',');
    }
    static QString MoneyText(double amount) { return Yuan(amount).Text(); }

    void ExpectPanels(const std::string& after) {
        if (gBorrowBasket.Open) {
            Statement sums(gConn, kRentalSums);
            sums.Bind({gBorrowBasket.No});
            ASSERT_TRUE(sums.Step());
            EXPECT_GT(sums.Column(0).ToInt(), 0) << after << ": an open basket without lines";
            EXPECT_EQ(page_->LblNotBackCount->Caption(), sums.Column(1).ToString()) << after;
            EXPECT_EQ(page_->LblMoneyBorrowCreSum->Caption(), MoneyText(sums.Column(2).ToDouble()))
                << after;
            if (!credenceTyped_) {
                EXPECT_EQ(page_->TxtCredence->text(), MoneyText(sums.Column(2).ToDouble()))
                    << after;
            }
            EXPECT_EQ(Rows(page_->LvwReturn),
                      gConn.Scalar(kRentalRows, {gBorrowBasket.No}).ToString())
                << after;
        } else {
            EXPECT_EQ(page_->LvwReturn->ListItems().Count(), 0) << after;
            EXPECT_TRUE(QStringList({"0", ""}).contains(page_->LblNotBackCount->Caption()))
                << after;
            EXPECT_FALSE(page_->CmdTax->isEnabled()) << after;
        }
        if (gSellBasket.Open) {
            Statement sums(gConn, kSaleSums);
            sums.Bind({gSellBasket.No});
            ASSERT_TRUE(sums.Step());
            EXPECT_GT(sums.Column(0).ToInt(), 0) << after << ": an open basket without lines";
            EXPECT_EQ(page_->LblSellCount->Caption(), sums.Column(1).ToString()) << after;
            EXPECT_EQ(page_->LblSellMoney->Caption(), MoneyText(sums.Column(2).ToDouble()))
                << after;
            if (!moneyTyped_) {
                EXPECT_EQ(page_->MskFactSellMoney->Text(), MoneyText(sums.Column(2).ToDouble()))
                    << after;
            }
            EXPECT_EQ(Rows(page_->lvwSell), gConn.Scalar(kSaleRows, {gSellBasket.No}).ToString())
                << after;
        } else {
            EXPECT_EQ(page_->lvwSell->ListItems().Count(), 0) << after;
            EXPECT_TRUE(QStringList({"0", ""}).contains(page_->LblSellCount->Caption())) << after;
            EXPECT_FALSE(page_->CmdSellTax->isEnabled()) << after;
        }
    }

    void ExpectSettledBaskets(const std::string& after) {
        for (auto it = settledSales_.cbegin(); it != settledSales_.cend(); ++it)
            EXPECT_NEAR(Stored("money", "sellinfo", "sellid", it.key()), it.value(), 0.001)
                << after << ": sale " << it.key().toStdString();
        for (auto it = settledRentals_.cbegin(); it != settledRentals_.cend(); ++it)
            EXPECT_NEAR(Stored("foregift", "borrowinfo", "borrowid", it.key()), it.value(), 0.001)
                << after << ": rental " << it.key().toStdString();
        for (auto it = settledLines_.cbegin(); it != settledLines_.cend(); ++it) {
            const bool rental = it.key().startsWith("borrowinfo ");
            const QString id = it.key().section(' ', 1);
            const double held =
                gConn
                    .Scalar(rental ? "select foregift from borrowinfo where borrowid = ?1"
                                   : "select money from sellinfo where sellid = ?1",
                            {id})
                    .ToDouble();
            EXPECT_NEAR(held, it.value(), 0.001)
                << after << ": line " << it.key().toStdString() << " not what it was confirmed at";
        }
    }

  public:
    void RunSequence() {
        using Operation = bool (BasketInvariantsTest::*)();
        const std::vector<std::pair<const char*, Operation>> operations{
            {"rental check-out", &BasketInvariantsTest::CheckOutRental},
            {"rental check-out", &BasketInvariantsTest::CheckOutRental},
            {"open rental dialog confirmed", &BasketInvariantsTest::ConfirmOpenRental},
            {"open rental dialog left", &BasketInvariantsTest::LeaveOpenRental},
            {"rental line edit", &BasketInvariantsTest::EditRental},
            {"rental line edit", &BasketInvariantsTest::EditRental},
            {"rental line edit", &BasketInvariantsTest::EditRental},
            {"rental line removal", &BasketInvariantsTest::RemoveRental},
            {"rental line removal", &BasketInvariantsTest::RemoveRental},
            {"rental settlement", &BasketInvariantsTest::SettleRental},
            {"rental settlement", &BasketInvariantsTest::SettleRental},
            {"sale check-out", &BasketInvariantsTest::CheckOutSale},
            {"sale check-out", &BasketInvariantsTest::CheckOutSale},
            {"open sale dialog confirmed", &BasketInvariantsTest::ConfirmOpenSale},
            {"open sale dialog left", &BasketInvariantsTest::LeaveOpenSale},
            {"sale line edit", &BasketInvariantsTest::EditSale},
            {"sale line edit", &BasketInvariantsTest::EditSale},
            {"sale line edit", &BasketInvariantsTest::EditSale},
            {"sale line removal", &BasketInvariantsTest::RemoveSale},
            {"sale line removal", &BasketInvariantsTest::RemoveSale},
            {"sale settlement", &BasketInvariantsTest::SettleSale},
            {"sale settlement", &BasketInvariantsTest::SettleSale},
            {"price change", &BasketInvariantsTest::ChangePrice},
            {"member percentage change", &BasketInvariantsTest::ChangeMemberPercentage},
            {"deposit rule change", &BasketInvariantsTest::ChangeDepositRule},
            {"purchase price change", &BasketInvariantsTest::ChangePurchasePrice},
            {"kill and restart", &BasketInvariantsTest::KillAndRestart},
            {"member leaves or joins", &BasketInvariantsTest::MemberLeavesOrJoins},
            {"title discarded or added", &BasketInvariantsTest::DiscardOrAddTitle},
            {"closing rollback", &BasketInvariantsTest::CloseTheProgram},
            {"stale dialog confirmed", &BasketInvariantsTest::ConfirmStale},
            {"stale dialog confirmed", &BasketInvariantsTest::ConfirmStale},
            {"return", &BasketInvariantsTest::ReturnSettledRental},
            {"return", &BasketInvariantsTest::ReturnSettledRental},
        };
        QHash<QString, int> done;
        int performed = 0;
        for (int attempt = 0; performed < kOperations && attempt < 20 * kOperations; ++attempt) {
            const auto& [name, operation] = operations[Pick(static_cast<int>(operations.size()))];
            const bool shopChange = kShopChanges.contains(name);
            const QString openBefore = shopChange ? OpenAmounts() : QString();
            if (!(this->*operation)()) continue;
            if (shopChange) {
                changesSinceEdit_.insert(name);
                EXPECT_EQ(OpenAmounts(), openBefore) << name << " changed what an open line holds";
            }
            ++performed;
            ++done[name];
            const std::string after =
                QString("after operation %1 (%2)").arg(performed).arg(name).toStdString();
            const QStringList broken = CrashInvariants::Broken(gConn);
            ASSERT_TRUE(broken.isEmpty()) << after << ": " << broken.join("; ").toStdString();
            ASSERT_TRUE(gConn.Scalar(kStrictSaleState).IsNull())
                << after << ": issell does not follow the copies sold";
            ASSERT_EQ(gConn.Scalar(kNegatives).ToInt(), 0) << after << ": a negative amount";
            ExpectPanels(after);
            ExpectSettledBaskets(after);
            ASSERT_EQ(gConn.Scalar("pragma integrity_check").ToString(), "ok") << after;
            if (HasFailure()) return;
        }
        EXPECT_EQ(performed, kOperations);
        QStringList counts;
        for (auto it = done.cbegin(); it != done.cend(); ++it)
            counts << QString("%1 %2").arg(it.key()).arg(it.value());
        counts.sort();
        std::cout << "[ basket   ] seed " << GetParam() << ": " << performed << " operations ("
                  << editsChecked_
                  << " line edits checked, after a change of: " << AfterChanges().toStdString()
                  << "; " << done.value("kill and restart") << " kills and restarts rolling back "
                  << rolledBack_ << " baskets; " << settledLines_.size()
                  << " settled lines checked line by line; " << stillPresses_
                  << " presses while a line edit was open, " << staleRefused_
                  << " stale confirmations refused), " << settledRentals_.size() << " rentals and "
                  << settledSales_.size() << " sales settled: " << counts.join(", ").toStdString()
                  << std::endl;
        for (const char* kind :
             {"rental check-out", "rental line edit", "rental line removal", "rental settlement",
              "sale check-out", "sale line edit", "sale line removal", "sale settlement",
              "closing rollback", "open rental dialog confirmed", "open sale dialog confirmed"})
            EXPECT_GT(done.value(kind), 10) << kind;
        EXPECT_GT(stillPresses_, 10);
        EXPECT_GT(staleRefused_, 5);
        EXPECT_GT(done.value("kill and restart"), 10);
        for (const QString& change : kShopChanges)
            EXPECT_GT(editsAfter_.value(change), 5) << change.toStdString();
    }
    QString AfterChanges() const {
        QStringList out;
        for (auto it = editsAfter_.cbegin(); it != editsAfter_.cend(); ++it)
            out << QString("%1 %2").arg(it.key()).arg(it.value());
        out.sort();
        return out.join(", ");
    }
    // Steps that change the shop around the baskets: no open line's amount may follow them.
    const QSet<QString> kShopChanges{"price change", "member percentage change",
                                     "deposit rule change", "purchase price change",
                                     "member leaves or joins"};

  protected:
    std::mt19937 random_;
    QHash<QString, double> settledSales_;    // by sale number: the amount received
    QHash<QString, double> settledRentals_;  // by rental number: the deposit its lines hold
    bool credenceTyped_ = false;             // TxtCredence holds what the operator typed
    bool moneyTyped_ = false;                // MskFactSellMoney holds what the operator typed
    int stillPresses_ = 0;
    int staleRefused_ = 0;  // confirmations refused because the shelf or the title changed
    QHash<QString, double> settledLines_;  // settled for the amount offered: what each held
    QSet<QString> changesSinceEdit_;       // kinds of change since the last edit checked
    QHash<QString, int> editsAfter_;       // edits checked after each kind of change
    int editsChecked_ = 0;
    int rolledBack_ = 0;  // baskets a restart found open and rolled back
};
}  // namespace

TEST_P(BasketInvariantsTest, TwelveHundredHostileOperationsKeepTheCountersMoneyRight) {
    Start();
    RunSequence();
}

INSTANTIATE_TEST_SUITE_P(Seeds, BasketInvariantsTest, ::testing::Values(1u, 77u, 4242u));
