// The real window services: the boxes as Qt shows them, closed by the test
// as a user would, and the title the error report carries.

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "runtime/application_title.h"
#include "runtime/qt_sheet_printer.h"
#include "runtime/qt_window_services.h"
#include "runtime/sheet_fonts.h"
#include "window_test_support.h"

using namespace tavrimo;
using namespace tavrimo::testing;

namespace {

struct SeenBox {
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString caption;
    QString text;
    QStringList buttons;
    bool modal = false;
    QPoint centre;
};

// Runs open, which is to show a modal box, and meanwhile records the box and
// presses its first button.
SeenBox WhileOpen(const std::function<void()>& open)
{
    SeenBox seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        poll.stop();
        seen.seen = true;
        seen.icon = box->icon();
        seen.caption = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* b : box->buttons()) seen.buttons << b->text().remove(QLatin1Char('&'));
        seen.modal = box->isModal();
        seen.centre = box->frameGeometry().center();
        QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
    });
    poll.start();
    open();
    return seen;
}

}  // namespace

class ServicesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallSheetFontSubstitutions(); }

    void applicationTitle_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("installed") << "/usr/bin/tavrimo"
                                   << "tavrimo";
        QTest::newRow("upper case with ending") << "/opt/x/TAVRIMO.EXE"
                                                << "Tavrimo";
        QTest::newRow("from the first dot") << "/home/t/tav.rimo.bin"
                                            << "tav";
        QTest::newRow("dot in a folder") << "/home/t.v/build/Tavrimo"
                                         << "Tavrimo";
        QTest::newRow("mixed case") << "tAvRiMo"
                                    << "tavrimo";
        QTest::newRow("not a letter first") << "/b/2DRILL"
                                            << "2drill";
        QTest::newRow("nothing before the dot") << "/b/.hidden"
                                                << "";
    }

    void applicationTitle()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(ApplicationTitle(path), title);
    }

    void errorReport()
    {
        QtWindowServices services(QStringLiteral("Tavrimo"));
        const SeenBox box = WhileOpen([&] { services.ReportError("'x' は整数ではありません."); });
        QVERIFY(box.seen);
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.caption, QStringLiteral("Tavrimo"));
        QCOMPARE(box.text, QStringLiteral("'x' は整数ではありません."));
        QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(box.modal);
    }

    void warning()
    {
        QtWindowServices services(QStringLiteral("Tavrimo"));
        const SeenBox box = WhileOpen([&] { services.ShowWarning("警告", "今の条件では"); });
        QVERIFY(box.seen);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.caption, QStringLiteral("警告"));
        QCOMPARE(box.text, QStringLiteral("今の条件では"));
        QCOMPARE(box.buttons, QStringList{QStringLiteral("OK")});
        QVERIFY(box.modal);
        // Centred on the screen.
        const QPoint screen = QApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((box.centre - screen).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(box.centre.x()).arg(box.centre.y())));
    }

    void windowReportsThroughTheRealBoxes()
    {
        QtWindowServices services(ApplicationTitle(QStringLiteral("/usr/bin/tavrimo")));
        QtSheetPrinter printer;
        TForm1 form(printer, services);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Retype(form.edtIntb2, QStringLiteral("q"));
        const SeenBox report = WhileOpen([&] { QTest::mouseClick(form.btnPreview, Qt::LeftButton); });
        QVERIFY(report.seen);
        QCOMPARE(report.icon, QMessageBox::Critical);
        QCOMPARE(report.caption, QStringLiteral("tavrimo"));
        QCOMPARE(report.text, QStringLiteral("'q' は整数ではありません."));

        Retype(form.edtIntb2, QStringLiteral("0"));
        Retype(form.edtBunbof1, QStringLiteral("0"));
        Retype(form.edtBunbof2, QStringLiteral("0"));
        const SeenBox warning = WhileOpen([&] { QTest::mouseClick(form.btnPreview, Qt::LeftButton); });
        QVERIFY(warning.seen);
        QCOMPARE(warning.icon, QMessageBox::Warning);
        QCOMPARE(warning.text, QStringLiteral("今の条件では、指定された問題数が確保できません。"));
    }
};

QTEST_MAIN(ServicesTest)
#include "services_test.moc"
