#pragma once
// The entry point of the benchmarks: the windows run on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <functional>

#include "platform/app/HashSeed.h"

inline int RunBenchmarks(int argc, char** argv, const std::function<void()>& atEnd = {}) {
    UseFixedHashSeed();
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (atEnd) atEnd();
    return 0;
}
