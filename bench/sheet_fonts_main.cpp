// The main of the benchmarks that draw sheets: the fonts need a
// QGuiApplication (offscreen unless the environment names a platform) and
// the Japanese faces before the first benchmark runs.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "runtime/qt/sheet_fonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
