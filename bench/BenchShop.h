#pragma once
// Demo shops for the benchmarks. With LUMTRAK_BENCH_SHOPS naming a folder, a shop is
// generated there once and every later run (each a fresh process) opens that same file,
// so a measurement never pays for the generation nor runs on the cache it leaves behind.
// Without it the shops go into a temporary folder of the run.
#include <sqlite3.h>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "tools/demodata/ShopGenerator.h"

inline const QDate kBenchToday(2026, 12, 20);  // after the 15th: the fee job asks nothing

inline QString BenchShopFolder() {
    if (const char* kept = std::getenv("LUMTRAK_BENCH_SHOPS"); kept && *kept) {
        QDir().mkpath(QString::fromLocal8Bit(kept));
        return QString::fromLocal8Bit(kept);
    }
    static QTemporaryDir dir;
    return dir.path();
}

// With LUMTRAK_BENCH_OLDER set, a shop is as a file made before the program's own additions:
// none of its indexes, triggers or tables (openbasket, freenumber), generated as a copy of its
// own (<size>-older.mdb). A benchmark that brings its shop up as start-up does measures such
// a file after its first start; the first start pays for the additions and keeps them in the
// copy.
inline bool BenchShopsOlder() {
    const char* older = std::getenv("LUMTRAK_BENCH_OLDER");
    return older && *older;
}

inline void DropTheProgramsAdditions(const QString& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    const char* const kDrops =
        "select group_concat('drop ' || type || ' ' || name, ';') from sqlite_master "
        "where sql is not null and type in ('index', 'trigger')";
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, kDrops, -1, &st, nullptr);
    const QString drops =
        sqlite3_step(st) == SQLITE_ROW
            ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
            : QString();
    sqlite3_finalize(st);
    const QString script = drops + ";drop table openbasket; drop table freenumber; vacuum";
    const int rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        std::fprintf(stderr, "%s: the program's additions not dropped\n",
                     path.toLocal8Bit().constData());
        std::exit(1);
    }
}

// The shop of the named size (small, large, fold), generated when absent.
inline QString BenchShop(const char* size) {
    const QDir folder(BenchShopFolder());
    const QString path = folder.filePath(QString("%1.mdb").arg(size));
    const QString older = folder.filePath(QString("%1-older.mdb").arg(size));
    if (BenchShopsOlder() && QFile::exists(older)) return older;
    if (!QFile::exists(path)) {
        ShopGenerator generator({*DemoSizeNamed(size), 1, kBenchToday});
        QString error;
        if (!generator.Generate(path, &error)) {
            std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
            std::exit(1);
        }
    }
    if (!BenchShopsOlder()) return path;
    QFile::copy(path, older);
    DropTheProgramsAdditions(older);
    return older;
}
