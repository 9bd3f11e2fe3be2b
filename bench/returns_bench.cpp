// The return page on a large shop (20,000 titles, 300,000 rental lines), goal: each under
// 16 ms:
//  - a period change: the open rentals read afresh, the grid bound, the detail panel shown;
//  - opening the return dialog for a customer with five open lines;
//  - a settlement: every copy of a customer's open lines back in one transaction, and the
//    pages that show what a return changes refilled as after the dialog (the return list:
//    its first rows and its count); before each the operator looks at the window, and
//    meanwhile the list reads the rest of its rows;
//  - that read of the rest of the return list, a moment after a refill: the window is busy
//    with it then, and an operator who acts at that moment waits for it.
// Each "...First" benchmark times the action once in a fresh process, with the window
// loaded: the figure the operator meets first. Run it alone with bench/run-fresh.
#include <benchmark/benchmark.h>

#include "bench/BenchMain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchProgram.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/db/Recordset.h"
#include "platform/ui/MsgBox.h"
#include "returns/ReturnLines.h"
#include "returns/ReturnPage.h"
#include "returns/ReturnSettlement.h"
#include "returns/frmControlBack.h"
#include "shell/frmMain.h"

namespace {
constexpr int kReturnButton = 1;

// The main window loaded on the large shop, showing the return page.
ReturnPage& Returns() {
    if (!frmMain::isLoaded()) {
        SetAppPath(LargeShopProgramFolder());
        SetNow(QDateTime(kBenchToday, QTime(9, 0)));
        PrintAndAcceptMessages();
        gConn.OpenFile(QDir(LargeShopProgramFolder()).filePath("cdmanage.mdb"));
        frmMain::instance().Image3_Click(kReturnButton);
    }
    return *frmMain::instance().Returns();
}

// Customers with exactly `lines` open rental lines.
QStringList CustomersWithOpenLines(int lines, int how_many) {
    Recordset rs;
    rs.Open(
        "select name from borrowinfo where isreturnall = 0 and name <> '汇总' "
        "group by name having count(*) = ?1 limit ?2",
        gConn, adLockReadOnly, {lines, how_many});
    QStringList names;
    for (; !rs.AtEOF(); rs.MoveNext()) names << rs.GetValue(0).ToString();
    return names;
}

void BM_PeriodChange(benchmark::State& state) {
    ReturnPage& page = Returns();
    const QString period = page.CboSelTime->itemText(static_cast<int>(state.range(0)));
    for (auto _ : state) page.SelectPeriod(period);
    state.counters["rows"] = page.adoDispBorrow->RecordCount();
    state.SetLabel(period.toStdString());
}
BENCHMARK(BM_PeriodChange)->Arg(0)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_OpenReturnDialogFiveLines(benchmark::State& state) {
    Returns();
    const QStringList customers = CustomersWithOpenLines(5, 1);
    if (customers.isEmpty()) {
        state.SkipWithError("no customer with five open lines");
        return;
    }
    for (auto _ : state) {
        frmControlBack::instance().OpenFor(customers[0]);
        frmControlBack::instance().Show(vbModeless, &frmMain::instance());
        state.PauseTiming();
        if (frmControlBack::instance().Lines().Count() != 5) state.SkipWithError("not five lines");
        frmControlBack::unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenReturnDialogFiveLines)->Unit(benchmark::kMillisecond);

// What the dialog hands the settlement when every copy comes back with rent and deposit.
ReturnSettlement::Request WholeReturnOf(const QString& customer) {
    ReturnLines lines;
    lines.Load(gConn, customer, Now());
    ReturnSettlement::Request request;
    request.customer = customer;
    request.now = Now();
    for (const ReturnLine& l : lines.Lines())
        request.lines.push_back({l.borrowid, l.TickedCopies(), true, l.Rent(), true});
    request.rentReceived = lines.RentDue();
    return request;
}

// The lowest free return number: the shop uses 9,000 of them, 1 to 9,000.
void BM_ReturnNumber(benchmark::State& state) {
    Returns();
    for (auto _ : state) benchmark::DoNotOptimize(ReturnSettlement::NextReturnNo(gConn));
    state.SetLabel(ReturnSettlement::NextReturnNo(gConn).toStdString());
}
BENCHMARK(BM_ReturnNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReturnNumber)
    ->Name("BM_ReturnNumberFirst")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Each run takes customers no other run took: a customer's lines are returned once.
QStringList FreshCustomers(int lines, int count) {
    static QStringList taken;
    QStringList fresh;
    for (const QString& c : CustomersWithOpenLines(lines, count + static_cast<int>(taken.size())))
        if (!taken.contains(c) && fresh.size() < count) fresh << c;
    taken << fresh;
    return fresh;
}

void BM_Settlement(benchmark::State& state) {
    Returns();
    const QStringList customers = FreshCustomers(static_cast<int>(state.range(0)), 30);
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (next >= customers.size()) {
            state.SkipWithError("ran out of customers");
            break;
        }
        const ReturnSettlement::Request request = WholeReturnOf(customers[next++]);
        state.ResumeTiming();
        if (!ReturnSettlement::Settle(gConn, request).done) state.SkipWithError("refused");
    }
}
BENCHMARK(BM_Settlement)->Arg(1)->Arg(3)->Iterations(30)->Unit(benchmark::kMillisecond);

void BM_SettlementWithListRefill(benchmark::State& state) {
    ReturnPage& page = Returns();
    const QStringList customers = FreshCustomers(static_cast<int>(state.range(0)), 30);
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (next >= customers.size()) {
            state.SkipWithError("ran out of customers");
            break;
        }
        const ReturnSettlement::Request request = WholeReturnOf(customers[next++]);
        OperatorPause();  // the list has read the rest of its rows by now
        state.ResumeTiming();
        if (!ReturnSettlement::Settle(gConn, request).done) state.SkipWithError("refused");
        ShopEvents::AnnounceRentalsReturned();  // as the return dialog does: every page follows
    }
    state.counters["rows"] = page.adoDispBorrow->RecordCount();
}
BENCHMARK(BM_SettlementWithListRefill)
    ->Arg(1)
    ->Arg(3)
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SettlementWithListRefill)
    ->Name("BM_SettlementWithListRefillFirst")
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The rest of the return list as the list reads it a moment after a refill (after a
// settlement, a period change): the rows past the first screenful.
void BM_ReturnListRest(benchmark::State& state) {
    ReturnPage& page = Returns();
    for (auto _ : state) {
        state.PauseTiming();
        page.SetDispBorrowSourse("");
        Recordset& list = *page.adoDispBorrow;
        state.ResumeTiming();
        benchmark::DoNotOptimize(list.ValueAt(list.RecordCount(), 0));
    }
    state.counters["rows"] = page.adoDispBorrow->RecordCount();
}
BENCHMARK(BM_ReturnListRest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReturnListRest)
    ->Name("BM_ReturnListRestFirst")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        if (frmMain::isLoaded()) delete &frmMain::instance();
    });
}
