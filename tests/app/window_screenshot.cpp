// Not a test: saves a picture of the window after a preview with the default
// settings, as the X server shows it, and when asked a second one of the
// 詳細設定 dialog. Run under Xvfb:
//   xvfb-run -s '-screen 0 1024x768x24' window_screenshot docs/window.png [dialog.png]

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/Fmain.h"
#include "recording_services.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/qt/sheet_fonts.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.png [DIALOG.png]\n", argv[0]);
        return 2;
    }
    tavrimo::InstallSheetFontSubstitutions();
    tavrimo::testing::RecordingServices services;
    tavrimo::QtSheetPrinter printer;
    tavrimo::TForm1 form(printer, services);
    form.ShowCentred();
    if (!QTest::qWaitForWindowExposed(&form)) return 1;
    QTest::mouseClick(form.btnPreview, Qt::LeftButton);
    QTest::qWait(200);
    const QPixmap shot = form.screen()->grabWindow(form.winId());
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) return 1;
    if (argc < 3) return 0;
    bool saved = false;
    QTimer::singleShot(300, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        saved = dialog != nullptr && dialog->grab().save(QString::fromLocal8Bit(argv[2]));
        if (dialog != nullptr) dialog->close();
    });
    QTest::mouseClick(form.btnAdvanced, Qt::LeftButton);
    return saved ? 0 : 1;
}
