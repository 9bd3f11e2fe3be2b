// The catalogue page on a large shop (20,000 titles):
//  - a filter change: the catalogue opened afresh with a condition, the grid and the entry
//    fields bound to it, the count shown (goal: under 50 ms), for one movie type and for
//    every title;
//  - the save of an edited title (goal: under 50 ms), and of a new title, which allocates
//    its disc id.
// The shop is generated once per run into a temporary folder.
#include <benchmark/benchmark.h>

#include "bench/BenchMain.h"
#include "bench/BenchProgram.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <cstdio>
#include <cstdlib>

#include "catalogue/CataloguePage.h"
#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/ui/MsgBox.h"
#include "shell/frmMain.h"

namespace {
// The main window loaded on the large shop, showing the catalogue page.
CataloguePage& Catalogue() {
    if (!frmMain::isLoaded()) {
        SetAppPath(LargeShopProgramFolder());
        SetNow(QDateTime(kBenchToday, QTime(9, 0)));
        PrintAndAcceptMessages();
        gConn.OpenFile(QDir(LargeShopProgramFolder()).filePath("cdmanage.mdb"));
        frmMain::instance().Image3_Click(frmMain::kCatalogue);
    }
    return *frmMain::instance().Catalogue();
}

QString FirstMovieType() {
    return gConn.Scalar("select movietype from cdinfo where movietype <> '' limit 1").ToString();
}

void BM_FilterOneMovieType(benchmark::State& state) {
    CataloguePage& page = Catalogue();
    const Params movieType{FirstMovieType()};
    for (auto _ : state) page.SetCDInfoSourse(" and movietype = ?", movieType);
    state.counters["rows"] = page.adoCDInfo->RecordCount();
}
BENCHMARK(BM_FilterOneMovieType)->Unit(benchmark::kMillisecond);

void BM_FilterAll(benchmark::State& state) {
    CataloguePage& page = Catalogue();
    for (auto _ : state) page.SetCDInfoSourse("");
    state.counters["rows"] = page.adoCDInfo->RecordCount();
}
BENCHMARK(BM_FilterAll)->Unit(benchmark::kMillisecond);

// Through the filter combo, as the operator picks a movie type and then "全部" again.
void BM_FilterComboPicks(benchmark::State& state) {
    CataloguePage& page = Catalogue();
    const QString movieType = FirstMovieType();
    for (auto _ : state) {
        page.CboManageMovieType->setCurrentText(movieType);
        page.CboManageMovieType->setCurrentText(QStringLiteral("全部"));
    }
    state.SetLabel("two filter changes per iteration");
}
BENCHMARK(BM_FilterComboPicks)->Unit(benchmark::kMillisecond);

void BM_SaveEditedTitle(benchmark::State& state) {
    CataloguePage& page = Catalogue();
    page.SetCDInfoSourse("");
    page.adoCDInfo->SetAbsolutePosition(page.adoCDInfo->RecordCount() / 2);
    const QString name = page.TxtName->text();
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.TxtName->setText(name + QString::number(++n % 2));
        state.ResumeTiming();
        page.CmdSave_Click();
    }
    if (page.HasPendingEdit()) state.SkipWithError("the save did not write the title");
}
BENCHMARK(BM_SaveEditedTitle)->Unit(benchmark::kMillisecond);

void BM_SaveNewTitle(benchmark::State& state) {
    CataloguePage& page = Catalogue();
    page.SetCDInfoSourse("");
    int n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.Command1_Click();
        page.TxtName->setText(QStringLiteral("新片%1").arg(++n));
        page.Text1->setText(QStringLiteral("BENCH%1").arg(n));
        state.ResumeTiming();
        page.CmdSave_Click();
    }
    if (page.HasPendingEdit()) state.SkipWithError("the save did not write the title");
}
BENCHMARK(BM_SaveNewTitle)->Unit(benchmark::kMillisecond);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        if (frmMain::isLoaded()) delete &frmMain::instance();
    });
}
