#pragma once
// Demo shops for the benchmarks. With LUMTRAK_BENCH_SHOPS naming a folder, a shop is
// generated there once and every later run (each a fresh process) opens that same file,
// so a measurement never pays for the generation nor runs on the cache it leaves behind.
// Without it the shops go into a temporary folder of the run.
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

// The shop of the named size (small, large, fold), generated when absent.
inline QString BenchShop(const char* size) {
    const QString path = QDir(BenchShopFolder()).filePath(QString("%1.mdb").arg(size));
    if (QFile::exists(path)) return path;
    ShopGenerator generator({*DemoSizeNamed(size), 1, kBenchToday});
    QString error;
    if (!generator.Generate(path, &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        std::exit(1);
    }
    return path;
}
