// The returns income, rentals, sales income and top-50 windows on the large demo shop
// (20,000 titles, 5,000 members, 300,000 rental lines, 30,000 sale lines), on its last day
// (a Sunday, so this week is the whole week):
//  - every period's refill of the returns income, rentals and sales income windows;
//  - the load of the most-rented and the best-selling windows (layout, query, fill).
// Goal: under 100 ms each.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QDir>

#include "bench/BenchMain.h"
#include "bench/BenchProgram.h"
#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "reports/frmBorrowReport.h"
#include "reports/frmEarnReport.h"
#include "reports/frmHotCDInfo.h"
#include "reports/frmSellEarnInfo.h"
#include "reports/frmSellHotCDInfo.h"

namespace {
void OpenShop() {
    if (gConn.IsOpen()) return;
    SetNow(QDateTime(kBenchToday, QTime(13, 0)));
    gShopName = "星光影碟出租店";
    PrintAndAcceptMessages();
    gConn.OpenFile(BenchShop("large"));
}

template <class W>
void Refill(benchmark::State& state) {
    OpenShop();
    W& w = W::instance();
    const int period = static_cast<int>(state.range(0));
    w.Combo1->setCurrentIndex(period);
    for (auto _ : state) w.Combo1_Click();
    state.counters["rows"] = w.BodyGrid()->Rows();
}

template <class W>
void Load(benchmark::State& state) {
    OpenShop();
    for (auto _ : state) {
        W::unload();
        W::instance();
    }
    state.counters["rows"] = W::instance().BodyGrid()->Rows();
}

void BM_ReturnsIncomeRefill(benchmark::State& state) {
    Refill<frmEarnReport>(state);
}
BENCHMARK(BM_ReturnsIncomeRefill)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_RentalsRefill(benchmark::State& state) {
    Refill<frmBorrowReport>(state);
}
BENCHMARK(BM_RentalsRefill)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_SalesIncomeRefill(benchmark::State& state) {
    Refill<frmSellEarnInfo>(state);
}
BENCHMARK(BM_SalesIncomeRefill)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_MostRentedLoad(benchmark::State& state) {
    Load<frmHotCDInfo>(state);
}
BENCHMARK(BM_MostRentedLoad)->Unit(benchmark::kMillisecond);

void BM_BestSellingLoad(benchmark::State& state) {
    Load<frmSellHotCDInfo>(state);
}
BENCHMARK(BM_BestSellingLoad)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
