// The report windows on the large demo shop (20,000 titles, 5,000 members, 300,000 rental
// lines), on its last day:
//  - every period's refill of the income and expenditure report, the purchase report, and
//    the customer report's one fill;
//  - the floor of the income report: one plain pass over each table its figures come from
//    (count(*) and the sums of the summed columns), and each income view as a multiple of
//    it (in the label: "floor x3.1");
//  - the export of each window's largest period into a saved workbook.
// Each "...First" benchmark (and BM_CustomerExport) times the action once in a fresh process,
// the shop open and the window made: the figure the operator meets first. Run it alone with
// bench/run-fresh; the benchmark of the same name without it repeats the action warm.
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>

#include "bench/BenchMain.h"
#include "bench/BenchShop.h"
#include "core/ShopFileAdditions.h"
#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/db/Statement.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/SaveFileDialog.h"
#include "reports/frmBuyReport.h"
#include "reports/frmReport.h"
#include "reports/frmUserReport.h"

namespace {
QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// The program folder with the templates, the large shop open on the connection.
void OpenShop() {
    if (gConn.IsOpen()) return;
    const QString dir = Folder().path();
    QDir().mkpath(QDir(dir).filePath("support"));
    const QDir shipped(QStringLiteral(LUMTRAK_SOURCE_DIR "/support"));
    for (const QString& name : shipped.entryList({"*.xltx"}, QDir::Files))
        QFile::copy(shipped.filePath(name), QDir(dir).filePath("support/" + name));
    SetAppPath(dir);
    SetNow(QDateTime(kBenchToday, QTime(13, 0)));
    gShopName = "星光影碟出租店";
    SetMsgBoxResponder([](const MsgBoxCall& call) {
        if (!call.prompt.startsWith(QStringLiteral("请查看")) &&
            !call.prompt.endsWith(QStringLiteral("替换吗？")))
            std::fprintf(stderr, "message: %s\n", call.prompt.toLocal8Bit().constData());
        return int(vbYes);
    });
    SetSaveFileResponder([dir](const SaveFileCall&) { return QDir(dir).filePath("export.xlsx"); });
    gConn.OpenFile(BenchShop("large"));
    ShopFileAdditions::BringUp(gConn);  // as start-up does: an older file gets what it lacks
}

template <class W>
W& Window() {
    OpenShop();
    return W::instance();
}

void Choose(ReportWindow& w, int period) {
    w.Combo1->setCurrentIndex(period);
    w.Combo1_Click();
}

// One plain pass over each table the income figures are summed from.
const char* const kFloorPasses[] = {
    "select count(*), sum(borrowcount), sum(money), sum(foregift) from borrowinfo",
    "select count(*), sum(returncount) from returninfo",
    "select count(*), sum(count), sum(price*count) from cdinfo",
    "select count(*), sum(money) from userinfo",
    "select count(*), sum(money) from sellinfo",
};

// The lines passed over.
double ReadFloor() {
    double lines = 0;
    for (const char* sql : kFloorPasses) {
        Statement pass(gConn, QString::fromUtf8(sql));
        pass.Step();
        lines += pass.Double(0);
        benchmark::DoNotOptimize(pass.Double(1));
    }
    return lines;
}

// The floor in milliseconds: the fastest of a few passes, measured in the same process.
double FloorMs() {
    double best = 1e300;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        ReadFloor();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void BM_IncomeFloor(benchmark::State& state) {
    OpenShop();
    double lines = 0;
    for (auto _ : state) lines = ReadFloor();
    state.counters["rows"] = lines;
}
BENCHMARK(BM_IncomeFloor)->Unit(benchmark::kMillisecond);

void BM_IncomeRefill(benchmark::State& state) {
    frmReport& w = Window<frmReport>();
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Choose(w, static_cast<int>(state.range(0)));
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        total += took.count();
    }
    state.counters["rows"] = w.BodyGrid()->Rows();
    // A label, not a counter: every benchmark of a run reports the same counters.
    const double ratio = total / static_cast<double>(state.iterations()) / FloorMs();
    state.SetLabel(QString("floor x%1").arg(ratio, 0, 'f', 2).toStdString());
}
BENCHMARK(BM_IncomeRefill)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IncomeRefill)
    ->Name("BM_IncomeRefillFirst")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_PurchaseRefill(benchmark::State& state) {
    frmBuyReport& w = Window<frmBuyReport>();
    for (auto _ : state) Choose(w, static_cast<int>(state.range(0)));
    state.counters["rows"] = w.BodyGrid()->Rows();
}
BENCHMARK(BM_PurchaseRefill)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_CustomerFill(benchmark::State& state) {
    frmUserReport& w = Window<frmUserReport>();
    for (auto _ : state) w.Refill(0);
    state.counters["rows"] = w.BodyGrid()->Rows();
}
BENCHMARK(BM_CustomerFill)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerFill)
    ->Name("BM_CustomerFillFirst")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

void BM_IncomeExportEveryYear(benchmark::State& state) {
    frmReport& w = Window<frmReport>();
    Choose(w, 0);
    for (auto _ : state) w.CmdOutput_Click();
    state.counters["rows"] = w.BodyGrid()->Rows();
}
BENCHMARK(BM_IncomeExportEveryYear)->Unit(benchmark::kMillisecond);

void BM_PurchaseExportThisYear(benchmark::State& state) {
    frmBuyReport& w = Window<frmBuyReport>();
    Choose(w, 2);
    for (auto _ : state) w.CmdOutput_Click();
    state.counters["rows"] = w.BodyGrid()->Rows();
}
BENCHMARK(BM_PurchaseExportThisYear)->Unit(benchmark::kMillisecond);

void BM_CustomerExport(benchmark::State& state) {
    frmUserReport& w = Window<frmUserReport>();
    for (auto _ : state) w.CmdOutput_Click();
    state.counters["rows"] = w.BodyGrid()->Rows();
}
BENCHMARK(BM_CustomerExport)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_CustomerExport)
    ->Name("BM_CustomerExportWarm")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
