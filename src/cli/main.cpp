#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "cli/sheets_command.h"
#include "runtime/qt/sheet_fonts.h"

namespace {

// The application the request needs, built after the arguments were read.
// It is given only the program's name: the arguments are read once, by the
// command's own parser, and never taken for Qt's options.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[], bool fonts)
{
    if (!fonts) return std::make_unique<QCoreApplication>(argc, argv);
    // Drawing needs fonts and so a GUI application, but this program never
    // shows a window: no display is needed, whatever the environment names.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    return app;
}

}  // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    const tavrimo::ParsedArguments parsed = tavrimo::ReadSheetsArguments(arguments);

    int appArgc = 1;
    const auto app = MakeApplication(appArgc, argv, parsed.error.isEmpty() && parsed.request.NeedsFonts());
    QCoreApplication::setApplicationName("tavrimo-sheets");

    QFile out;
    out.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
    QTextStream err(stderr);
    return tavrimo::RunSheetsCommand(parsed, {out, err, isatty(STDERR_FILENO) == 1});
}
