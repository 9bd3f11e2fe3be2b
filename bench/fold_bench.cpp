// The yearly fold of a year of 100,000 rental lines with their return rows, 400,000
// rentals in all (goal: under 2 s in a fresh process). Each iteration folds a fresh copy
// of the generated shop. Run it with bench/run-fresh for the figure a user meets: the
// shop is then generated once beforehand, and every measured process starts cold.
#include <benchmark/benchmark.h>

#include "bench/BenchMain.h"
#include "bench/BenchShop.h"
#include "core/YearFold.h"
#include "platform/db/Connection.h"

namespace {

// A copy of the shop beside it, to fold without changing the generated one.
QString FreshCopy(const QString& shop) {
    const QString copy = shop + QStringLiteral(".folding");
    QFile::remove(copy);
    if (!QFile::copy(shop, copy)) {
        std::fprintf(stderr, "cannot copy %s\n", shop.toLocal8Bit().constData());
        std::exit(1);
    }
    return copy;
}

void BM_Fold(benchmark::State& state) {
    const QString shop = BenchShop("fold");
    YearFold::Folded folded;
    for (auto _ : state) {
        state.PauseTiming();
        const QString copy = FreshCopy(shop);
        Connection conn;
        conn.OpenFile(copy);
        state.ResumeTiming();
        folded = YearFold(conn).Run(kBenchToday);
        state.PauseTiming();
        conn.Close();
        QFile::remove(copy);
        state.ResumeTiming();
    }
    state.counters["rentals"] = folded.rentals;
    state.counters["returns"] = folded.returns;
    state.counters["sales"] = folded.sales;
}
BENCHMARK(BM_Fold)->Unit(benchmark::kMillisecond)->Iterations(1);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
