// Response of the window: the program's start until its window is on the
// screen, the window made and shown within a running application, and one
// preview click on the default settings (a new set, drawn at once).
//
// The start of the program needs an X server (run under xvfb-run); the other
// two run anywhere, on the offscreen platform when there is no display.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QPushButton>
#include <QWindow>
#include <chrono>
#include <csignal>

#include "app/Fmain.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/qt/qt_window_services.h"
#include "runtime/qt/sheet_fonts.h"
#include "x_map_watch.h"

extern char** environ;

namespace tavrimo {
namespace {

void WaitUntilExposed(TForm1& form)
{
    while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    }
    QCoreApplication::processEvents();
}

// From the spawn of the program to the X server mapping its window. With no
// window manager the program's window is a child of the root window, so its
// MapNotify arrives on the root's substructure.
void BM_ProgramStartToWindowShown(benchmark::State& state)
{
    XMapWatch watch;
    if (!watch.connected()) {
        state.SkipWithError("needs an X display");
        return;
    }
    char program[] = TAVRIMO_PROGRAM;
    char* argv[] = {program, nullptr};
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        pid_t child = 0;
        if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0) {
            state.SkipWithError("cannot start the program");
            break;
        }
        const bool mapped = watch.WaitForMap(std::chrono::seconds(10));
        const auto shown = std::chrono::steady_clock::now();
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        if (!mapped) {
            state.SkipWithError("the window did not appear within 10 s");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        watch.Flush();
    }
}
BENCHMARK(BM_ProgramStartToWindowShown)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_WindowCreateAndShow(benchmark::State& state)
{
    QtWindowServices services(QStringLiteral("Tavrimo"));
    for (auto _ : state) {
        QtSheetPrinter printer;
        TForm1 form(printer, services);
        form.ShowCentred();
        WaitUntilExposed(form);
    }
}
BENCHMARK(BM_WindowCreateAndShow)->Unit(benchmark::kMillisecond);

void BM_PreviewClick(benchmark::State& state)
{
    QtWindowServices services(QStringLiteral("Tavrimo"));
    QtSheetPrinter printer;
    TForm1 form(printer, services);
    form.ShowCentred();
    WaitUntilExposed(form);
    for (auto _ : state) {
        form.btnPreview->click();
        if (form.session().QuestionCount() != 16) {
            state.SkipWithError("the default settings gave a short set");
            break;
        }
    }
}
BENCHMARK(BM_PreviewClick)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavrimo

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
