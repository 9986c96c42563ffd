// The program: one window; closing it ends the run.

#include <QApplication>

#include "app/Fmain.h"
#include "runtime/qt/application_title.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/qt/qt_window_services.h"
#include "runtime/qt/sheet_fonts.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    tavrimo::InstallSheetFontSubstitutions();
    tavrimo::InstallJapaneseQtTexts();

    tavrimo::QtWindowServices services(tavrimo::ApplicationTitle(QCoreApplication::applicationFilePath()));
    tavrimo::QtSheetPrinter printer;
    tavrimo::TForm1 form(printer, services);
    form.ShowCentred();
    return QApplication::exec();
}
