#include "core/MonthFeeCharge.h"
#include "core/YearFold.h"
#include "core/frmWait.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/ui/MsgBox.h"

// The start-up jobs ask the operator; the writes are the operations MonthFeeCharge and
// YearFold. Each job reads the clock once.

namespace {
// Any failure of a job, its checks included, is told with its description, in a box without
// an icon titled as every failure box: start-up goes on past it, so nobody else would tell
// it. What the job wrote is rolled back with its transaction.
void TellJobFailure(const DbError& e) {
    MsgBox(e.Description(), vbOKOnly, QStringLiteral("错误"));
}

void ChargeMonthFee() {
    MonthFeeCharge charge(gConn);
    if (!MonthFeeCharge::IsChargeDay(Today())) {
        charge.Rearm();
        return;
    }
    const Money fee = charge.StoredFee();
    if (!charge.AnyMemberUnpaid()) return;
    if (MsgBox(QStringLiteral("要处理本月的会费缴纳吗？"), vbYesNo + vbQuestion,
               QStringLiteral("缴纳会费")) != vbYes)
        return;
    charge.Charge(fee);
}

bool FoldIsDue(YearFold& fold, const QDate& today) {
    try {
        return fold.IsDue(today);
    } catch (const DbError& e) {
        TellJobFailure(e);
        return false;
    }
}
}  // namespace

void ProcessMonthTax() {
    try {
        ChargeMonthFee();
    } catch (const DbError& e) {
        TellJobFailure(e);
    }
}

void SumOldRecords() {
    const QDate today = Today();
    YearFold fold(gConn);
    if (!FoldIsDue(fold, today)) return;
    if (MsgBox(QStringLiteral("要对一年以前的数据进行汇总吗？"), vbYesNo + vbQuestion,
               QStringLiteral("汇总")) != vbYes)
        return;

    frmWait::instance().Show();
    DoEvents();
    try {
        fold.Run(today);
    } catch (const DbError& e) {
        frmWait::unload();
        TellJobFailure(e);
        return;
    }
    frmWait::unload();
}
