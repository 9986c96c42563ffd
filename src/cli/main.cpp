#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "cli/sheets_command.h"
#include "runtime/qt/sheet_fonts.h"

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    // Drawing needs fonts and so a GUI application, but never a display.
    std::unique_ptr<QCoreApplication> app;
    if (tavrimo::NeedsGuiApplication(arguments)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
        tavrimo::InstallSheetFontSubstitutions();
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName("tavrimo-sheets");

    QTextStream out(stdout);
    QTextStream err(stderr);
    return tavrimo::RunSheetsCommand(arguments, out, err);
}
