#pragma once
// The main of every benchmark program: a QApplication (offscreen unless a platform is
// named, the program's Fusion style) around Google Benchmark's run. `beforeExit` lets
// a program drop widgets it keeps while the application still exists.

#include <QApplication>
#include <QStyleFactory>
#include <benchmark/benchmark.h>
#include <functional>

inline int runBenchmarks(int argc, char **argv, const std::function<void()> &beforeExit = {})
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (beforeExit)
        beforeExit();
    return 0;
}
