// Filling a recordset: every title the counter lists ("select * from cdinfo where
// issell<2" on the large shop, 29 columns) read into a snapshot (goal: under 8 ms, so
// the counter's list refill fits in one frame).
//  - BM_OpenTitles repeats the open in one process;
//  - BM_OpenTitlesFirst is the first open of a fresh connection; run it alone, once per
//    process, with bench/run-fresh for the figure a user meets.
#include <benchmark/benchmark.h>

#include "bench/BenchMain.h"
#include "bench/BenchShop.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace {
const char* const kCounterTitles = "select * from cdinfo where issell<2";

void ReportRows(benchmark::State& state, const Recordset& rs) {
    state.counters["rows"] = rs.RecordCount();
    state.counters["columns"] = rs.FieldCount();
}

void BM_OpenTitles(benchmark::State& state) {
    Connection conn;
    conn.OpenFile(BenchShop("large"));
    Recordset rs;
    for (auto _ : state) rs.Open(kCounterTitles, conn);
    ReportRows(state, rs);
}
BENCHMARK(BM_OpenTitles)->Unit(benchmark::kMillisecond);

void BM_OpenTitlesFirst(benchmark::State& state) {
    Connection conn;
    conn.OpenFile(BenchShop("large"));
    Recordset rs;
    for (auto _ : state) rs.Open(kCounterTitles, conn);
    ReportRows(state, rs);
}
BENCHMARK(BM_OpenTitlesFirst)->Unit(benchmark::kMillisecond)->Iterations(1);

// Reading every cell back, as a full scan of the grid or a Find over a field does.
void BM_ReadAllCells(benchmark::State& state) {
    Connection conn;
    conn.OpenFile(BenchShop("large"));
    Recordset rs;
    rs.Open(kCounterTitles, conn, adLockReadOnly);
    for (auto _ : state) {
        qint64 chars = 0;
        for (int row = 1; row <= rs.RecordCount(); ++row)
            for (int f = 0; f < rs.FieldCount(); ++f) chars += rs.ValueAt(row, f).ToString().size();
        benchmark::DoNotOptimize(chars);
    }
    ReportRows(state, rs);
}
BENCHMARK(BM_ReadAllCells)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
