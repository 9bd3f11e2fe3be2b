// Start-up and the yearly fold on a large shop.
//  - Main() up to the shown main window, with no fold due (goal: under 200 ms).
//  - The fold of a year of 100,000 rental lines with their return rows (goal: under 2 s).
// The shops are generated once per run into a temporary folder.
#include <benchmark/benchmark.h>

#include <sqlite3.h>
#include "bench/BenchMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/ui/MsgBox.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"
#include "tools/demodata/ShopGenerator.h"

namespace {
const QDate kToday(2026, 12, 20);  // after the 15th: the fee job asks nothing

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

QString Generate(const char* size) {
    const QString path = QDir(Folder().path()).filePath(QString("%1.mdb").arg(size));
    if (QFile::exists(path)) return path;
    ShopGenerator generator({*DemoSizeNamed(size), 1, kToday});
    QString error;
    if (!generator.Generate(path, &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        std::exit(1);
    }
    return path;
}

void RunSql(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// A program folder holding a copy of the shop as cdmanage.mdb.
QString ProgramFolderWith(const QString& shop, const char* name) {
    const QString dir = QDir(Folder().path()).filePath(name);
    QDir().mkpath(dir);
    const QString db = QDir(dir).filePath("cdmanage.mdb");
    QFile::remove(db);
    QFile::copy(shop, db);
    return dir;
}

void BM_StartUp(benchmark::State& state) {
    const QString shop = Generate("large");
    const QString dir = ProgramFolderWith(shop, "startup");
    // This year's fold is done: its summary row stands in the fold year.
    RunSql(QDir(dir).filePath("cdmanage.mdb"),
           "insert or ignore into borrowinfo (borrowid, name, borrowdate, money, isreturnall) "
           "values ('0000000000000000', '汇总', '2024-12-20 00:00:00', 0, 1)");
    SetAppPath(dir);
    SetNow(QDateTime(kToday, QTime(9, 0)));
    SetMsgBoxResponder([](const MsgBoxCall&) { return int(vbNo); });
    for (auto _ : state) {
        Main();
        if (gQuit) state.SkipWithError("the database did not open");
        state.PauseTiming();
        delete &frmMain::instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ResetGlobalState();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_YearlyFold(benchmark::State& state) {
    const QString shop = Generate("fold");
    SetNow(QDateTime(kToday, QTime(9, 0)));
    SetMsgBoxResponder([](const MsgBoxCall&) { return int(vbYes); });
    for (auto _ : state) {
        state.PauseTiming();
        const QString dir = ProgramFolderWith(shop, "fold");
        gConn.OpenFile(QDir(dir).filePath("cdmanage.mdb"));
        state.ResumeTiming();
        SumOldRecords();
        state.PauseTiming();
        ResetGlobalState();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_YearlyFold)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
