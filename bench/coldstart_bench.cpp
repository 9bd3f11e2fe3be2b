// Cold start-up as the operator meets it: from exec to the main window shown and the event
// loop idle, each run a fresh process, on the large shop; beside it the same measure for a
// bare Qt window of the same size, the floor no program can go below (goal: within 2x), and
// the same window showing one line of Chinese text.
//
// The benchmark runs this very executable again as the child, in one of two modes named
// by the LUMTRAK_COLD_START variable: "lumtrak:<program folder>" or "bare".
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench/BenchMain.h"
#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/app/HashSeed.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/QtTranslation.h"
#include "shell/Startup.h"
#include "tools/demodata/ShopGenerator.h"

namespace {
const char* const kMode = "LUMTRAK_COLD_START";
const QDate kToday(2026, 12, 20);  // after the 15th: the fee job asks nothing

// ---- The children -------------------------------------------------------------------

// What the program's main() does, then quits once the window is shown and the queue idle.
int RunProgram(int argc, char** argv, const QString& folder) {
    UseFixedHashSeed();
    QApplication app(argc, argv);
    ApplyCjkFonts();
    InstallQtTranslation();
    SetAppPath(folder);
    SetNow(QDateTime(kToday, QTime(9, 0)));
    SetMsgBoxResponder([](const MsgBoxCall&) { return int(vbNo); });
    Main();
    if (gQuit) return 2;
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}

int RunBareWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(1240, 820);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}

// The bare window with one line of Chinese text in the program's fonts: any program that
// shows text pays for the font system on top of the bare window.
int RunBareWindowWithText(int argc, char** argv) {
    QApplication app(argc, argv);
    ApplyCjkFonts();
    QWidget window;
    window.resize(1240, 820);
    auto* label = new QLabel(QStringLiteral("出租服务 归还服务 光盘管理"), &window);
    label->move(20, 20);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}

// ---- The parent ---------------------------------------------------------------------

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// A program folder with the large shop as cdmanage.mdb, this year's fold already done.
QString LargeShopFolder() {
    const QString dir = QDir(Folder().path()).filePath("program");
    const QString db = QDir(dir).filePath("cdmanage.mdb");
    if (QFile::exists(db)) return dir;
    QDir().mkpath(dir);
    ShopGenerator generator({*DemoSizeNamed("large"), 1, kToday});
    QString error;
    if (!generator.Generate(db, &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        std::exit(1);
    }
    sqlite3* conn = nullptr;
    sqlite3_open(db.toUtf8().constData(), &conn);
    sqlite3_exec(
        conn,
        "insert or ignore into borrowinfo (borrowid, name, borrowdate, money, isreturnall) "
        "values ('0000000000000000', '汇总', '2024-12-20 00:00:00', 0, 1)",
        nullptr, nullptr, nullptr);
    sqlite3_close(conn);
    return dir;
}

// Runs this executable in the given mode; the wall time from fork to its exit, in seconds.
double TimeChild(const QByteArray& mode) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv(kMode, mode.constData(), 1);
        execl("/proc/self/exe", "coldstart_bench", static_cast<char*>(nullptr));
        std::_Exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return std::chrono::duration<double>(end - start).count();
}

void Measure(benchmark::State& state, const QByteArray& mode) {
    for (auto _ : state) {
        const double seconds = TimeChild(mode);
        if (seconds < 0) {
            state.SkipWithError("the child did not start and quit cleanly");
            return;
        }
        state.SetIterationTime(seconds);
    }
}

void BM_ColdStartBareWindow(benchmark::State& state) {
    Measure(state, "bare");
}
BENCHMARK(BM_ColdStartBareWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

void BM_ColdStartBareWindowWithText(benchmark::State& state) {
    Measure(state, "text");
}
BENCHMARK(BM_ColdStartBareWindowWithText)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(10);

void BM_ColdStartProgram(benchmark::State& state) {
    Measure(state, "lumtrak:" + LargeShopFolder().toUtf8());
}
BENCHMARK(BM_ColdStartProgram)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
}  // namespace

int main(int argc, char** argv) {
    if (const char* mode = std::getenv(kMode)) {
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        const QByteArray m(mode);
        if (m == "bare") return RunBareWindow(argc, argv);
        if (m == "text") return RunBareWindowWithText(argc, argv);
        if (m.startsWith("lumtrak:")) return RunProgram(argc, argv, QString::fromUtf8(m.mid(8)));
        return 64;
    }
    return RunBenchmarks(argc, argv);
}
