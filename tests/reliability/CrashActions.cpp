// The actions of the crash harness: one line each in the table at the end.
#include <functional>
#include <string>

#include "catalogue/CatalogueTitleWrite.h"
#include "catalogue/ClassificationDelete.h"
#include "catalogue/DepositAmountWrite.h"
#include "catalogue/DepositRuleWrite.h"
#include "catalogue/DiscDiscard.h"
#include "catalogue/MemberPriceFactorWrite.h"
#include "catalogue/MembershipFeeWrite.h"
#include "core/MonthFeeCharge.h"
#include "core/YearFold.h"
#include "core/mdlMain.h"
#include "counter/BasketRollback.h"
#include "counter/RentalCheckOut.h"
#include "counter/RentalLineRemoval.h"
#include "counter/RentalSettlement.h"
#include "counter/SaleCheckOut.h"
#include "counter/SaleLineRemoval.h"
#include "counter/SaleSettlement.h"
#include "members/MemberAccount.h"
#include "members/MemberLeave.h"
#include "members/MemberNumber.h"
#include "members/MemberSave.h"
#include "platform/db/Recordset.h"
#include "returns/ReturnSettlement.h"
#include "tests/reliability/CrashAction.h"
#include "tests/reliability/CrashShop.h"
#include "tests/support/Yuan.h"

namespace {
// The catalogue as its page reads it; the title saves write through its current row.
const char* const kCatalogue = "select * from cdinfo where issell<2 order by cdid";
const CatalogueTitleWrite::Fields kDvdFields{Yuan(3), Yuan(30),     Yuan(2.4), Yuan(27), Yuan(20),
                                             2,       "2025-06-10", "DVD",     "动作"};
constexpr int kDvdCode = 3;
constexpr int kVcdCode = 5;
constexpr int kActionCode = 1;

// An operation that refuses writes nothing: the action is then no test at all.
void Require(bool done) {
    if (!done) throw DbError(QStringLiteral("the action was refused"));
}

void ChargeMonthFee() {
    MonthFeeCharge job(gConn);
    job.Charge(job.StoredFee());
}

void RearmMonthFee() {
    MonthFeeCharge(gConn).Rearm();
}

void FoldYear() {
    YearFold(gConn).Run(CrashShop::Today());
}

void SaveNewTitle() {
    Recordset catalogue;
    catalogue.Open(kCatalogue, gConn, adLockOptimistic);
    catalogue.AddNew();
    catalogue.Fields("id") = "D100";
    catalogue.Fields("name") = "新片'100%";
    catalogue.Fields("actor") = "某某";
    const CatalogueTitleWrite::Request request{kDvdFields, true, kDvdCode, kActionCode};
    Require(CatalogueTitleWrite(gConn, catalogue).Run(request).outcome ==
            CatalogueTitleWrite::Outcome::Written);
}

// The idle title gets a new name and copies; reclassified, it becomes a VCD of its movie
// type and so gets a new disc id.
void SaveEditedTitle(bool reclassified) {
    Recordset catalogue;
    catalogue.Open(kCatalogue, gConn, adLockOptimistic);
    while (!catalogue.AtEOF() && catalogue["cdid"].ToString() != CrashShop::kIdleTitle)
        catalogue.MoveNext();
    Require(catalogue.HasCurrentRow());
    catalogue.Fields("name") = "星际穿越（导演版）";
    catalogue.Fields("remark") = "重新包装";
    CatalogueTitleWrite::Request request{kDvdFields, false, 0, 0};
    request.fields.copies = 3;
    request.fields.movieType = CrashShop::kScienceFiction;
    if (reclassified) {
        request.fields.type = "VCD";
        request.needsNewId = true;
        request.typeCode = kVcdCode;
        request.movieTypeCode = CrashShop::kScienceFictionCode;
    }
    Require(CatalogueTitleWrite(gConn, catalogue).Run(request).outcome ==
            CatalogueTitleWrite::Outcome::Written);
}

void SaveEditedTitleKeepingItsId() {
    SaveEditedTitle(false);
}

void SaveReclassifiedTitle() {
    SaveEditedTitle(true);
}

void DiscardTitle() {
    Require(DiscDiscard::Discard(gConn, CrashShop::kIdleTitle));
}

void ClearBadDiscs() {
    DiscDiscard::ClearBadDiscs(gConn);
}

void DeleteMovieType() {
    const ClassificationDelete::List movieTypes{"movietype", "movietype", 3};
    const ClassificationDelete::Result result =
        ClassificationDelete(gConn, movieTypes)
            .Run(CrashShop::kScienceFictionCode, CrashShop::kScienceFiction);
    Require(!result.inUse && result.titles > 0);
}

void SetMemberRentFactor() {
    MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Rent, 0.7);
}

void SetMemberSaleFactor() {
    MemberPriceFactorWrite::Run(MemberPriceFactorWrite::Sale, 0.85);
}

void SetMembershipFee() {
    MembershipFeeWrite::Run(Yuan(15));
}

void SetWalkInDeposit() {
    DepositAmountWrite::Run(DepositAmountWrite::WalkIn, 2, Yuan(50));
}

void SetMemberDeposit() {
    DepositAmountWrite::Run(DepositAmountWrite::Member, 0, Money());
}

void SetDepositRule() {
    DepositRuleWrite::Run(2, Yuan(60), Yuan(30));
}

// Closing asks about each open basket and rolls each back on its own: after the rental's
// rollback the shop is as "yes, then no" leaves it, which the harness accepts as a state.
void RollBackRental() {
    BasketRollback::Run(gConn, BasketRollback::Rental, CrashShop::kRentalBasket);
}

void RollBackSale() {
    BasketRollback::Run(gConn, BasketRollback::Sale, CrashShop::kSaleBasket);
}

// The counter's baskets as FillWithBaskets leaves them open (member 000001 renting, member
// 000002 buying).
Basket OpenRentalBasket() {
    return {true, CrashShop::kRentalBasket, kMemberUser, "000001", true, 1, Money()};
}

Basket OpenSaleBasket() {
    return {true, CrashShop::kSaleBasket, kMemberUser, "000002", true};
}

// The open rental basket as a basket opened under the fixed-sum deposit rule holds it.
Basket OpenFixedSumRentalBasket() {
    Basket basket = OpenRentalBasket();
    basket.DepositRule = 2;
    basket.FixedDeposit = Yuan(45);
    return basket;
}

QDateTime CheckOutTime() {
    return QDateTime(CrashShop::Today(), QTime(11, 0));
}

void RequireWritten(bool written) {
    Require(written);
}

// A new basket for a walk-in customer: copy 2 of 无间道, the remark with a quote.
void RentToNewBasket() {
    RentalCheckOut::Request r{Basket(), kWalkInUser, "O'Brien",      "030100000003",
                              {2},      "it's",      CheckOutTime(), false};
    RequireWritten(RentalCheckOut::Run(gConn, r).outcome == RentalCheckOut::Outcome::Written);
}

// The open rental basket also holds copy 1 of 霸王别姬 (3 copies), whose copies 2 and 3
// are on the shelf.
const char* const kBasketTitle = "030100000009";
void AddShelfCopiesLine(Connection& conn) {
    Transaction t(conn);
    conn.Execute(
        "insert into cdinfo (cdid, id, name, count, restcount, buymoney, sellprice, "
        "membersellprice, station, issell, isabandon, outcount) "
        "values (?1, 'D009', '霸王别姬', 3, 3, 25, 40, 36, '借出部分', 0, 0, 1)",
        {kBasketTitle});
    conn.Execute(
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
        "isnotpaylst, CredenceType, remark) values (?1, '000001', '2025-06-10 09:30:00', 1, "
        "'&1#', '&1#', '现金', ' ')",
        {QString(kBasketTitle) + CrashShop::kRentalBasket});
    t.Commit();
}

// The rental basket opened under the fixed-sum rule (45 for a member).
void OpenUnderFixedSum(Connection& conn) {
    conn.Execute(
        "update openbasket set foregifttype = 2, [money] = 45, membermoney = 45 "
        "where kind = 'borrow'");
}

void AddShelfCopiesLineUnderFixedSum(Connection& conn) {
    AddShelfCopiesLine(conn);
    OpenUnderFixedSum(conn);
}

// Copy 2 of 无间道 goes into the open rental basket: a new line.
void RentIntoOpenBasket() {
    RentalCheckOut::Request r{OpenRentalBasket(), 0,    {}, "030100000003", {2}, {},
                              CheckOutTime(),     false};
    RequireWritten(RentalCheckOut::Run(gConn, r).outcome == RentalCheckOut::Outcome::Written);
}

// The open basket's line of 霸王别姬 takes its copy 3 as well.
void RentExtendingALine() {
    RentalCheckOut::Request r{OpenRentalBasket(), 0,    {}, kBasketTitle, {3}, {},
                              CheckOutTime(),     false};
    RequireWritten(RentalCheckOut::Run(gConn, r).outcome == RentalCheckOut::Outcome::Written);
}

// The edited line of 星际穿越 keeps copy 2 only.
void RewriteEditedRentalLine() {
    RentalCheckOut::Request r{OpenRentalBasket(), 0,   {}, CrashShop::kIdleTitle, {2}, {},
                              CheckOutTime(),     true};
    RequireWritten(RentalCheckOut::Run(gConn, r).outcome == RentalCheckOut::Outcome::Written);
}

void SellToNewBasket() {
    SaleCheckOut::Request r{Basket(), kWalkInUser, "O'Brien",      "030100000003",
                            {2},      "it's",      CheckOutTime(), false};
    RequireWritten(SaleCheckOut::Run(gConn, r).outcome == SaleCheckOut::Outcome::Written);
}

void SellIntoOpenBasket() {
    SaleCheckOut::Request r{OpenSaleBasket(), 0,    {}, "030100000003", {2}, {},
                            CheckOutTime(),   false};
    RequireWritten(SaleCheckOut::Run(gConn, r).outcome == SaleCheckOut::Outcome::Written);
}

void RewriteEditedSaleLine() {
    SaleCheckOut::Request r{OpenSaleBasket(), 0,   {}, "030100000003", {1, 2}, {},
                            CheckOutTime(),   true};
    RequireWritten(SaleCheckOut::Run(gConn, r).outcome == SaleCheckOut::Outcome::Written);
}

// Under the fixed-sum rule the basket's one sum is laid again over all its lines.
void RentIntoFixedSumBasket() {
    RentalCheckOut::Request r{
        OpenFixedSumRentalBasket(), 0, {}, kBasketTitle, {3}, {}, CheckOutTime(), false};
    RequireWritten(RentalCheckOut::Run(gConn, r).outcome == RentalCheckOut::Outcome::Written);
}

void RemoveRentalLineOfFixedSumBasket() {
    Require(RentalLineRemoval::Run(gConn, OpenFixedSumRentalBasket(),
                                   CrashShop::kIdleTitle + QString(CrashShop::kRentalBasket))
                .removed);
}

void RemoveRentalLine() {
    Require(RentalLineRemoval::Run(gConn, OpenRentalBasket(),
                                   CrashShop::kIdleTitle + QString(CrashShop::kRentalBasket))
                .removed);
}

// After RemoveRentalLine: the basket's last line, 英雄, goes and the basket closes.
void RemoveLastRentalLine() {
    const RentalLineRemoval::Result removed = RentalLineRemoval::Run(
        gConn, OpenRentalBasket(), QString("030100000001") + CrashShop::kRentalBasket);
    Require(removed.removed && removed.basketEmpty);
}

// The open sale basket also holds copies 1 and 2 of 活着 (3 copies), whose copy 3 is out in
// the open rental basket: every copy not sold is out, "全部借出".
const char* const kSoldBesideOutTitle = "030100000010";
void AddASaleBesideCopiesOut(Connection& conn) {
    Transaction t(conn);
    conn.Execute(
        "insert into cdinfo (cdid, id, name, count, restcount, sellprice, membersellprice, "
        "station, issell, isabandon, outcount) "
        "values (?1, 'D010', '活着', 3, 3, 30, 27, '全部借出', 1, 0, 1)",
        {kSoldBesideOutTitle});
    conn.Execute(
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
        "isnotpaylst, CredenceType, remark) values (?1, '000001', '2025-06-10 09:30:00', 1, "
        "'&3#', '&3#', '现金', ' ')",
        {QString(kSoldBesideOutTitle) + CrashShop::kRentalBasket});
    conn.Execute(
        "insert into sellinfo (sellid, name, selldate, sellcount, selllst, remark, money) "
        "values (?1, '000002', '2025-06-10 09:30:00', 2, '&1#&2#', ' ', 54)",
        {QString(kSoldBesideOutTitle) + CrashShop::kSaleBasket});
    t.Commit();
}

// Its sold copies come back to the shelf beside the copy out: "借出部分".
void RemoveSaleLineBesideCopiesOut() {
    Require(SaleLineRemoval::Run(gConn, OpenSaleBasket(),
                                 QString(kSoldBesideOutTitle) + CrashShop::kSaleBasket)
                .removed);
}

void EditSaleLineDownBesideCopiesOut() {
    SaleCheckOut::Request r{OpenSaleBasket(), 0,   {}, kSoldBesideOutTitle, {1}, {},
                            CheckOutTime(),   true};
    RequireWritten(SaleCheckOut::Run(gConn, r).outcome == SaleCheckOut::Outcome::Written);
}

void RemoveSaleLine() {
    Require(SaleLineRemoval::Run(gConn, OpenSaleBasket(),
                                 QString("030100000003") + CrashShop::kSaleBasket)
                .removed);
}

// After RemoveSaleLine: the basket's last line, 新龙门, goes and the basket closes.
void RemoveLastSaleLine() {
    const SaleLineRemoval::Result removed = SaleLineRemoval::Run(
        gConn, OpenSaleBasket(), QString("050100000003") + CrashShop::kSaleBasket);
    Require(removed.removed && removed.basketEmpty);
}

void SettleRental(RentalSettlement::Kind kind) {
    Require(
        RentalSettlement::Run(gConn, {CrashShop::kRentalBasket, kind, Yuan(60), "O'Brien's 身份证"})
            .refusal.isEmpty());
}

void SettleRentalByCash() {
    SettleRental(RentalSettlement::Cash);
}

void SettleRentalByPledge() {
    SettleRental(RentalSettlement::Pledge);
}

void SettleRentalMemberFree() {
    SettleRental(RentalSettlement::MemberWaived);
}

void SettleSale(bool fromStoredMoney) {
    Require(
        SaleSettlement::Run(gConn, {CrashShop::kSaleBasket, Yuan(57), fromStoredMoney, "000002"})
            .refusal.isEmpty());
}

void SettleSaleByCash() {
    SettleSale(false);
}

void SettleSaleFromStoredMoney() {
    SettleSale(true);
}

// ---- Returns -----------------------------------------------------------------------------

// A walk-in's pledge basket: two titles lent against one identity card.
void FillWithPledgeBasket(Connection& conn) {
    CrashShop::Fill(conn);
    Transaction t(conn);
    const char* const line =
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
        "isnotpaylst, CredenceType, foregift, Guaranty, money, isreturnall, remark) "
        "values (?1, '借002', '2025-06-08 09:00:00', ?2, ?3, ?3, '证件', 0, '身份证''副本', 0, 0, "
        "' ')";
    conn.Execute(line, {"0301000000030107", 2, "&1#&2#"});
    conn.Execute(line, {"0501000000030107", 1, "&1#"});
    conn.Execute(
        "update cdinfo set station = '全部借出' where cdid in ('030100000003', "
        "'050100000003')");
    t.Commit();
}

ReturnSettlement::Request ReturnOf(const QString& customer,
                                   std::vector<ReturnSettlement::Line> lines, Money rent) {
    ReturnSettlement::Request request;
    request.customer = customer;
    request.lines = std::move(lines);
    request.rentReceived = rent;
    request.remark = "归还'备注";
    request.now = QDateTime(CrashShop::Today(), QTime(15, 0));
    return request;
}

void Settle(const ReturnSettlement::Request& request) {
    Require(ReturnSettlement::Settle(gConn, request).done);
}

// Both copies of member 000003's line back, the rent in cash, the deposit back.
void ReturnWholeInCash() {
    Settle(ReturnOf("000003", {{"0301000000020105", {1, 2}, true, Yuan(12), true}}, Yuan(12)));
}

// One copy of two back, its rent from the stored money, the deposit kept.
void ReturnPartFromStoredMoney() {
    ReturnSettlement::Request request =
        ReturnOf("000003", {{"0301000000020105", {2}, true, Yuan(6), false}}, Yuan(6));
    request.fromStoredMoney = Yuan(6);
    Settle(request);
}

// Both copies back, the rent more than member 000003's stored money: the member hands over
// more than the shortfall, and the rest stays in the stored money.
void ReturnPayingInBeyondTheShortfall() {
    ReturnSettlement::Request request =
        ReturnOf("000003", {{"0301000000020105", {1, 2}, true, Yuan(60), false}}, Yuan(60));
    request.fromStoredMoney = Yuan(60);
    request.paidIn = Yuan(20);
    Settle(request);
}

// Member 000001's copy back, its deposit larger than the rent: the difference goes into
// the stored money.
void ReturnCreditingStoredMoney() {
    ReturnSettlement::Request request =
        ReturnOf("000001", {{"0501000000020104", {1}, true, Yuan(5), true}}, Yuan(5));
    request.fromStoredMoney = Yuan(5) - Yuan(20);
    Settle(request);
}

// The pledge basket: every copy back, the rent in cash, the card given back.
void ReturnPledgeBasket() {
    Settle(ReturnOf("借002",
                    {{"0301000000030107", {2, 1}, true, Yuan(12), true},
                     {"0501000000030107", {1}, true, Yuan(6), true}},
                    Yuan(17.5)));
}

// The member page's recordset, on the member given; its edits wait for the save.
const char* const kMembers = "select * from userinfo";

void OpenMembersAt(Recordset& members, const QString& userid) {
    members.Open(kMembers, gConn, adLockBatchOptimistic);
    Require(members.FindIf([&](const Recordset& rs) { return rs["userid"].ToString() == userid; }));
}

void SaveMembers(Recordset& members) {
    Require(MemberSave(members).Run().outcome == MemberSave::Outcome::Written);
}

void SaveNewMember() {
    Recordset members;
    members.Open(kMembers, gConn, adLockBatchOptimistic);
    const std::optional<QString> number = MemberNumber::Next(gConn);
    Require(number.has_value());
    members.AddNew();
    members.Fields("userid") = *number;
    members.Fields("username") = "赵六'%";
    members.Fields("JoinDate") = "2026-12-08";
    SaveMembers(members);
}

void SaveEditedMember() {
    Recordset members;
    OpenMembersAt(members, "000002");
    members.Fields("telephone") = "010-5555";
    members.Fields("address") = "北京市";
    SaveMembers(members);
}

void PayInToMember() {
    Recordset members;
    OpenMembersAt(members, "000001");
    members.Fields("money") =
        MemberAccount::PaidIn(Yuan(members["money"].ToDouble()), Yuan(50)).ToStored();
    SaveMembers(members);
}

void RefundToMember() {
    Recordset members;
    OpenMembersAt(members, "000001");
    members.Fields("money") =
        MemberAccount::RefundOf(Yuan(members["money"].ToDouble()), Yuan(30)).balance.ToStored();
    SaveMembers(members);
}

void RefundMemberInFull() {
    Recordset members;
    OpenMembersAt(members, "000003");
    members.Fields("money") = 0.0;
    SaveMembers(members);
}

void MemberLeaves() {
    Recordset members;
    OpenMembersAt(members, "000003");
    Require(MemberLeave::Run(members) == MemberLeave::Outcome::Left);
}
// ---- Basket actions, each from every set of open baskets it can meet -------------------

// An action at the counter, run once from each set of open baskets given (kNoneOpen,
// kRentalOpen, kSaleOpen, kBothOpen: the baskets of CrashShop stored as open), with what it
// needs beyond them. The baskets it leaves open follow from those it opens and closes.
struct BasketAction {
    std::string name;
    std::vector<std::function<void()>> steps;
    std::vector<int> openBefore;
    int opens = kNoneOpen;
    int closes = kNoneOpen;
    std::function<void(Connection&)> more = nullptr;
};

std::string NameOfOpen(int open) {
    switch (open) {
        case kRentalOpen:
            return "RentalOpen";
        case kSaleOpen:
            return "SaleOpen";
        case kBothOpen:
            return "BothOpen";
        default:
            return "NoBasketOpen";
    }
}

void FillWithOpen(int open, Connection& conn) {
    switch (open) {
        case kRentalOpen:
            return CrashShop::FillWithRentalBasket(conn);
        case kSaleOpen:
            return CrashShop::FillWithSaleBasket(conn);
        case kBothOpen:
            return CrashShop::FillWithBaskets(conn);
        default:
            return CrashShop::Fill(conn);
    }
}

const std::vector<BasketAction>& BasketActions() {
    const std::vector<int> rental{kRentalOpen, kBothOpen};
    const std::vector<int> sale{kSaleOpen, kBothOpen};
    static const std::vector<BasketAction> actions{
        {"CounterRentalNewBasket", {RentToNewBasket}, {kNoneOpen, kSaleOpen}, kRentalOpen},
        {"CounterRentalIntoOpenBasket", {RentIntoOpenBasket}, rental},
        {"CounterRentalExtendedLine", {RentExtendingALine}, rental, 0, 0, AddShelfCopiesLine},
        {"CounterRentalLineEdit", {RewriteEditedRentalLine}, rental},
        {"CounterRentalLineRemoval", {RemoveRentalLine}, rental},
        {"CounterRentalLastLineRemoval",
         {RemoveRentalLine, RemoveLastRentalLine},
         rental,
         0,
         kRentalOpen},
        {"CounterRentalFixedSumLine",
         {RentIntoFixedSumBasket},
         rental,
         0,
         0,
         AddShelfCopiesLineUnderFixedSum},
        {"CounterRentalFixedSumRemoval",
         {RemoveRentalLineOfFixedSumBasket},
         rental,
         0,
         0,
         OpenUnderFixedSum},
        {"CounterRentalSettleCash", {SettleRentalByCash}, rental, 0, kRentalOpen},
        {"CounterRentalSettlePledge", {SettleRentalByPledge}, rental, 0, kRentalOpen},
        {"CounterRentalSettleMemberFree", {SettleRentalMemberFree}, rental, 0, kRentalOpen},
        {"ClosingRollsBackTheRental", {RollBackRental}, rental, 0, kRentalOpen},
        {"CounterSaleNewBasket", {SellToNewBasket}, {kNoneOpen, kRentalOpen}, kSaleOpen},
        {"CounterSaleIntoOpenBasket", {SellIntoOpenBasket}, sale},
        {"CounterSaleLineEdit", {RewriteEditedSaleLine}, sale},
        {"CounterSaleLineRemoval", {RemoveSaleLine}, sale},
        {"CounterSaleLastLineRemoval", {RemoveSaleLine, RemoveLastSaleLine}, sale, 0, kSaleOpen},
        {"CounterSaleLineRemovalBesideCopiesOut",
         {RemoveSaleLineBesideCopiesOut},
         {kBothOpen},
         0,
         0,
         AddASaleBesideCopiesOut},
        {"CounterSaleLineEditBesideCopiesOut",
         {EditSaleLineDownBesideCopiesOut},
         {kBothOpen},
         0,
         0,
         AddASaleBesideCopiesOut},
        {"CounterSaleSettleCash", {SettleSaleByCash}, sale, 0, kSaleOpen},
        {"CounterSaleSettleStoredMoney", {SettleSaleFromStoredMoney}, sale, 0, kSaleOpen},
        {"ClosingRollsBackTheSale", {RollBackSale}, sale, 0, kSaleOpen},
        {"ClosingRollsBackASaleBesideCopiesOut",
         {RollBackSale},
         {kBothOpen},
         0,
         kSaleOpen,
         AddASaleBesideCopiesOut},
        {"ClosingWithBothBasketsOpen", {RollBackRental, RollBackSale}, {kBothOpen}, 0, kBothOpen},
    };
    return actions;
}

void AddBasketActions(std::vector<CrashAction>& table) {
    for (const BasketAction& action : BasketActions())
        for (const int open : action.openBefore) {
            const std::function<void(Connection&)> more = action.more;
            table.push_back({action.name + "_" + NameOfOpen(open),
                             [open, more](Connection& conn) {
                                 FillWithOpen(open, conn);
                                 if (more) more(conn);
                             },
                             action.steps, (open | action.opens) & ~action.closes});
        }
}
}  // namespace

const std::vector<CrashAction>& CrashActions() {
    static const std::vector<CrashAction> table = [] {
        std::vector<CrashAction> all{
            {"MonthFeeCharge", CrashShop::Fill, {ChargeMonthFee}},
            {"MonthFeeRearm", CrashShop::Fill, {RearmMonthFee}},
            {"YearFold", CrashShop::Fill, {FoldYear}},
            {"CatalogueSaveNewTitle", CrashShop::Fill, {SaveNewTitle}},
            {"CatalogueSaveEditedTitle", CrashShop::Fill, {SaveEditedTitleKeepingItsId}},
            {"CatalogueSaveReclassifiedTitle", CrashShop::Fill, {SaveReclassifiedTitle}},
            {"DiscDiscard", CrashShop::Fill, {DiscardTitle}},
            {"ClearBadDiscs", CrashShop::Fill, {ClearBadDiscs}},
            {"MovieTypeDeleteWithItsTitles", CrashShop::Fill, {DeleteMovieType}},
            {"MemberRentFactor", CrashShop::Fill, {SetMemberRentFactor}},
            {"MemberSaleFactor", CrashShop::Fill, {SetMemberSaleFactor}},
            {"MembershipFee", CrashShop::Fill, {SetMembershipFee}},
            {"WalkInDeposit", CrashShop::Fill, {SetWalkInDeposit}},
            {"MemberDeposit", CrashShop::Fill, {SetMemberDeposit}},
            {"DepositRule", CrashShop::Fill, {SetDepositRule}},
            {"MemberSaveNew", CrashShop::Fill, {SaveNewMember}},
            {"MemberSaveEdit", CrashShop::Fill, {SaveEditedMember}},
            {"MemberPayIn", CrashShop::Fill, {PayInToMember}},
            {"MemberRefund", CrashShop::Fill, {RefundToMember}},
            {"MemberFullRefund", CrashShop::Fill, {RefundMemberInFull}},
            {"MemberLeaves", CrashShop::Fill, {MemberLeaves}},
            {"ReturnWholeInCash", CrashShop::Fill, {ReturnWholeInCash}},
            {"ReturnPartFromStoredMoney", CrashShop::Fill, {ReturnPartFromStoredMoney}},
            {"ReturnCreditingStoredMoney", CrashShop::Fill, {ReturnCreditingStoredMoney}},
            {"ReturnPayingInBeyondTheShortfall",
             CrashShop::Fill,
             {ReturnPayingInBeyondTheShortfall}},
            {"ReturnPledgeBasket", FillWithPledgeBasket, {ReturnPledgeBasket}},
        };
        AddBasketActions(all);
        return all;
    }();
    return table;
}
