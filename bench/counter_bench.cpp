// The counter page on the large shop (20,000 titles, 300,000 rental lines), the main window
// shown, each figure including the window's repaint (goals: each under 16 ms, one frame; the
// scan under 100 ms):
//  - BM_FilterChange: a movie type and "全部" picked in turn, each a new recordset, the
//    grid bound, the count and the detail panel shown (the rows counter is the mean);
//  - BM_HeadingSort: a click on the 光盘编号 heading, every listed title in the other order
//    (and BM_HeadingSortHandler: the same without the repaint);
//  - BM_RowChange: the next row, with the detail panel and its copies on the shelf (and
//    BM_RowChangeHandler: the same without the repaint);
//  - BM_SearchScanNoMatch: Enter on a text no title holds, the whole list scanned, yielding
//    every 30 records.
// And the statement alone, the whole row ("select *") against the columns the page shows
// (BM_OpenListAllColumns, BM_OpenListShownColumns), for the refill's share of SQLite; and
// the shown columns read on demand, as the page opens its list (BM_OpenListOnDemand, goal
// under 8 ms: the refill fits in one frame).
#include <benchmark/benchmark.h>

#include <QComboBox>
#include <QLineEdit>

#include "bench/BenchMain.h"
#include "bench/BenchProgram.h"
#include "core/mdlMain.h"
#include "counter/CounterPage.h"
#include "counter/CounterSearch.h"
#include "counter/DiscListQuery.h"
#include "platform/app/Clock.h"
#include "platform/ui/MsgBox.h"
#include "shell/frmMain.h"

namespace {
// The main window loaded on the large shop and shown, on the rental counter.
CounterPage& Counter() {
    if (!frmMain::isLoaded()) {
        SetNow(QDateTime(kBenchToday, QTime(9, 0)));
        PrintAndAcceptMessages();
        gConn.OpenFile(BenchShop("large"));
        frmMain& main = frmMain::instance();
        main.show();
        main.Image3_Click(0);
        QCoreApplication::processEvents();
    }
    return *frmMain::instance().Counter;
}

// What the operator sees after the handler: the window repainted.
void Repaint() {
    QCoreApplication::processEvents();
}

void Pick(QComboBox* filter, int index) {
    filter->setCurrentIndex(index);
    emit filter->activated(index);
    Repaint();
}

// Every filter at "全部", as after the window's load.
void ShowAllTitles(CounterPage& page) {
    if (page.CboMovietypeFind->currentIndex() != 0) Pick(page.CboMovietypeFind, 0);
}

void BM_FilterChange(benchmark::State& state) {
    CounterPage& page = Counter();
    int index = 0;
    qint64 rows = 0;
    for (auto _ : state) {
        index = index == 0 ? 1 : 0;
        Pick(page.CboMovietypeFind, index);
        rows += page.adoDispCDInfo->RecordCount();
    }
    state.counters["rows"] = static_cast<double>(rows) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FilterChange)->Unit(benchmark::kMillisecond);

void HeadingSort(benchmark::State& state, bool repaint) {
    CounterPage& page = Counter();
    ShowAllTitles(page);
    for (auto _ : state) {
        page.dgDispCDInfo_HeadClick(0);
        if (repaint) Repaint();
    }
    Repaint();
    state.counters["rows"] = page.adoDispCDInfo->RecordCount();
}

void BM_HeadingSort(benchmark::State& state) {
    HeadingSort(state, true);
}
BENCHMARK(BM_HeadingSort)->Unit(benchmark::kMillisecond);

// The same without the repaint: the new recordset, the grid bound, the count and the panel.
void BM_HeadingSortHandler(benchmark::State& state) {
    HeadingSort(state, false);
}
BENCHMARK(BM_HeadingSortHandler)->Unit(benchmark::kMillisecond);

void RowChange(benchmark::State& state, bool repaint) {
    CounterPage& page = Counter();
    ShowAllTitles(page);
    Recordset& list = *page.adoDispCDInfo;
    list.MoveFirst();
    for (auto _ : state) {
        list.MoveNext();
        if (list.AtEOF()) list.MoveFirst();
        if (repaint) Repaint();
    }
    if (!repaint) Repaint();
}

void BM_RowChange(benchmark::State& state) {
    RowChange(state, true);
}
BENCHMARK(BM_RowChange)->Unit(benchmark::kMillisecond);

// The same without the repaint: the panel's labels, its queries and the copies.
void BM_RowChangeHandler(benchmark::State& state) {
    RowChange(state, false);
}
BENCHMARK(BM_RowChangeHandler)->Unit(benchmark::kMillisecond);

void BM_SearchScanNoMatch(benchmark::State& state) {
    CounterPage& page = Counter();
    ShowAllTitles(page);
    page.TxtFind->setText("qqzzxx");
    for (auto _ : state) {
        page.Search->TextChanged();
        page.Search->Enter(page.TxtFind->text());
        Repaint();
    }
    state.counters["rows"] = page.adoDispCDInfo->RecordCount();
}
BENCHMARK(BM_SearchScanNoMatch)->Unit(benchmark::kMillisecond);

// The list's statement with every filter at "全部", every row read at once or (as the page
// opens it) on demand.
void OpenList(benchmark::State& state, const QString& columns,
              CursorLocationEnum location = adUseClient) {
    Connection conn;
    conn.OpenFile(BenchShop("large"));
    const DiscListQuery query({"全部", "全部", "全部", "全部"}, kBenchToday);
    QString sql = query.Sql("");
    sql.replace(0, sql.indexOf(" from cdinfo"), "select " + columns);
    Recordset rs;
    rs.SetCursorLocation(location);
    rs.SetCountStatement(query.CountSql());
    for (auto _ : state) rs.Open(sql, conn, adLockReadOnly, query.Parameters());
    state.counters["rows"] = rs.RecordCount();
    state.counters["columns"] = rs.FieldCount();
}

void BM_OpenListAllColumns(benchmark::State& state) {
    OpenList(state, "*");
}
BENCHMARK(BM_OpenListAllColumns)->Unit(benchmark::kMillisecond);

void BM_OpenListShownColumns(benchmark::State& state) {
    const QString sql = DiscListQuery({}, kBenchToday).Sql("");
    OpenList(state, sql.mid(7, sql.indexOf(" from cdinfo") - 7));
}
BENCHMARK(BM_OpenListShownColumns)->Unit(benchmark::kMillisecond);

void BM_OpenListOnDemand(benchmark::State& state) {
    const QString sql = DiscListQuery({}, kBenchToday).Sql("");
    OpenList(state, sql.mid(7, sql.indexOf(" from cdinfo") - 7), adUseServer);
}
BENCHMARK(BM_OpenListOnDemand)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        if (frmMain::isLoaded()) delete &frmMain::instance();
    });
}
