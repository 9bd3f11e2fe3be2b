// The actions of the crash harness: one line each in the table at the end.
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
#include "platform/db/Recordset.h"
#include "tests/reliability/CrashAction.h"
#include "tests/reliability/CrashShop.h"

namespace {
// The catalogue as its page reads it; the title saves write through its current row.
const char* const kCatalogue = "select * from cdinfo where issell<2 order by cdid";
const CatalogueTitleWrite::Fields kDvdFields{3, 30, 2.4, 27, 20, 2, "2025-06-10", "DVD", "动作"};
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
    MembershipFeeWrite::Run(15);
}

void SetWalkInDeposit() {
    DepositAmountWrite::Run(DepositAmountWrite::WalkIn, 2, 50);
}

void SetMemberDeposit() {
    DepositAmountWrite::Run(DepositAmountWrite::Member, 0, 0);
}

void SetDepositRule() {
    DepositRuleWrite::Run(2, 60, 30);
}

// Closing asks about each open basket and rolls each back on its own: after the rental's
// rollback the shop is as "yes, then no" leaves it, which the harness accepts as a state.
void RollBackRental() {
    BasketRollback::Run(gConn, BasketRollback::Rental, CrashShop::kRentalBasket);
}

void RollBackSale() {
    BasketRollback::Run(gConn, BasketRollback::Sale, CrashShop::kSaleBasket);
}
}  // namespace

const std::vector<CrashAction>& CrashActions() {
    static const std::vector<CrashAction> table{
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
        {"ClosingWithBothBasketsOpen", CrashShop::FillWithBaskets, {RollBackRental, RollBackSale}},
    };
    return table;
}
