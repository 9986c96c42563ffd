// The program: one window; closing it ends the run.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/Fmain.h"
#include "runtime/qt/application_title.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/qt/qt_window_services.h"
#include "runtime/qt/sheet_fonts.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    // The window speaks Japanese whatever the locale, and so must Qt's own
    // dialogs (the print dialog, the buttons of the message boxes).
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    tavrimo::QtWindowServices services(tavrimo::ApplicationTitle(QCoreApplication::applicationFilePath()));
    tavrimo::QtSheetPrinter printer;
    tavrimo::TForm1 form(printer, services);
    form.ShowCentred();
    return QApplication::exec();
}
