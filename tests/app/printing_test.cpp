// The real printer path: QtSheetPrinter on a PDF file, checked with poppler's
// pdfinfo and pdftotext, its faults, and the names of the job files.

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "runtime/job_files.h"
#include "runtime/qt_sheet_printer.h"
#include "runtime/sheet_fonts.h"
#include "window_test_support.h"

using namespace tavrimo;
using namespace tavrimo::testing;

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString PdfInfo(const QString& file)
{
    return Run(QStringLiteral("pdfinfo"), {file});
}

QString PdfText(const QString& file)
{
    return Run(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
}

QString InfoField(const QString& info, const QString& field)
{
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

QByteArray Digest(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void PrintToFile(QtSheetPrinter& printer, const QString& file)
{
    printer.device().setOutputFormat(QPrinter::PdfFormat);
    printer.device().setOutputFileName(file);
}

// The window on the real printer; the boxes are still recorded.
struct PrintingWindow {
    RecordingServices services;
    QtSheetPrinter printer;
    TForm1 form{printer, services};
};

}  // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallSheetFontSubstitutions();
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("poppler-utils (pdfinfo, pdftotext) not installed");
        }
    }

    void jobFileNames_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<QString>("expected");
        QTest::newRow("problem sheet") << "/d/sheet.pdf" << 7 << false << "/d/sheet-7.pdf";
        QTest::newRow("answer sheet") << "/d/sheet.pdf" << 7 << true << "/d/sheet-7-解答.pdf";
        QTest::newRow("no ending") << "/d/sheet" << 12 << false << "/d/sheet-12.pdf";
        QTest::newRow("dots in the name") << "/d.x/drill.2024.pdf" << 3 << false << "/d.x/drill.2024-3.pdf";
        QTest::newRow("negative number") << "/d/s.pdf" << -2 << true << "/d/s--2-解答.pdf";
    }

    void jobFileNames()
    {
        QFETCH(QString, chosen);
        QFETCH(int, number);
        QFETCH(bool, answers);
        QFETCH(QString, expected);
        QCOMPARE(JobFilePath(chosen, number, answers), expected);
    }

    void takenNamesAreNotReused()
    {
        QTemporaryDir dir;
        const QString chosen = dir.filePath(QStringLiteral("sheet.pdf"));
        const auto touch = [](const QString& path) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        };
        touch(dir.filePath(QStringLiteral("sheet-7.pdf")));
        QCOMPARE(JobFilePath(chosen, 7, false), dir.filePath(QStringLiteral("sheet-7 (2).pdf")));
        touch(dir.filePath(QStringLiteral("sheet-7 (2).pdf")));
        QCOMPARE(JobFilePath(chosen, 7, false), dir.filePath(QStringLiteral("sheet-7 (3).pdf")));
        QCOMPARE(JobFilePath(chosen, 7, true), dir.filePath(QStringLiteral("sheet-7-解答.pdf")));
    }

    void printWithAnswersWritesTwoPdfJobs()
    {
        QTemporaryDir dir;
        PrintingWindow w;
        PrintToFile(w.printer, dir.filePath(QStringLiteral("sheet.pdf")));
        QTest::mouseClick(w.form.btnPreview, Qt::LeftButton);
        Retype(w.form.PrnNum, QStringLiteral("7"));
        QTest::mouseClick(w.form.btnPrintWithAns, Qt::LeftButton);
        QVERIFY(w.services.events.empty());
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("8"));

        const QString problems = dir.filePath(QStringLiteral("sheet-7.pdf"));
        const QString answers = dir.filePath(QStringLiteral("sheet-7-解答.pdf"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"sheet-7-解答.pdf", "sheet-7.pdf"}));
        // The chosen name stays the printer's for the next command.
        QCOMPARE(w.printer.device().outputFileName(), dir.filePath(QStringLiteral("sheet.pdf")));

        for (const QString& file : {problems, answers}) {
            const QString info = PdfInfo(file);
            QVERIFY2(!info.isEmpty(), qPrintable(file));
            QCOMPARE(InfoField(info, QStringLiteral("Title")), QStringLiteral("Tavrimo引き算分数編"));
            QCOMPARE(InfoField(info, QStringLiteral("Pages")), QStringLiteral("1"));
            const QRegularExpressionMatch size =
                QRegularExpression(QStringLiteral("([0-9.]+) x ([0-9.]+) pts"))
                    .match(InfoField(info, QStringLiteral("Page size")));
            QVERIFY(size.hasMatch());
            QVERIFY(size.captured(1).toDouble() < size.captured(2).toDouble());  // portrait

            const QString text = PdfText(file);
            QVERIFY(text.contains(QStringLiteral("分数の引き算")));
            QVERIFY(text.contains(QStringLiteral("つぎの計算をしましょう。")));
            QVERIFY(text.contains(QStringLiteral("問題No.7")));
        }
        // Only the answer sheet has the answers after its equals signs.
        QVERIFY(PdfText(answers).remove(QRegularExpression(QStringLiteral("\\s"))).size() >
                PdfText(problems).remove(QRegularExpression(QStringLiteral("\\s"))).size());
    }

    void printingAgainNeverOverwrites()
    {
        QTemporaryDir dir;
        PrintingWindow w;
        PrintToFile(w.printer, dir.filePath(QStringLiteral("sheet.pdf")));
        QTest::mouseClick(w.form.btnPreview, Qt::LeftButton);
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        const QString first = dir.filePath(QStringLiteral("sheet-1.pdf"));
        const QByteArray digest = Digest(first);
        QVERIFY(!digest.isEmpty());

        // The same number again, and a new set under it.
        Retype(w.form.PrnNum, QStringLiteral("1"));
        QTest::mouseClick(w.form.btnPreview, Qt::LeftButton);
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        QVERIFY(w.services.events.empty());
        QCOMPARE(Digest(first), digest);
        const QString second = dir.filePath(QStringLiteral("sheet-1 (2).pdf"));
        QVERIFY(QFileInfo::exists(second));
        QVERIFY(PdfText(second).contains(QStringLiteral("問題No.1")));
    }

    void pageIsThePrintableAreaInDevicePixels()
    {
        QTemporaryDir dir;
        QtSheetPrinter printer;
        PrintToFile(printer, dir.filePath(QStringLiteral("page.pdf")));
        QCOMPARE(printer.SetPortrait(), PrinterFault::None);
        const int width = printer.PageWidth();
        const int height = printer.PageHeight();
        QVERIFY(width > 0 && height > width);
        QCOMPARE(printer.device().resolution(), QPrinter(QPrinter::HighResolution).resolution());
        QCOMPARE(printer.BeginJob({"t", 1, false}), PrinterFault::None);
        QCOMPARE(printer.device().width(), width);
        QCOMPARE(printer.device().height(), height);
        QCOMPARE(printer.EndJob(), PrinterFault::None);
    }

    void jobSequenceFaults()
    {
        QTemporaryDir dir;
        QtSheetPrinter printer;
        PrintToFile(printer, dir.filePath(QStringLiteral("faults.pdf")));
        QCOMPARE(printer.EndJob(), PrinterFault::NotReady);
        QCOMPARE(printer.BeginJob({"t", 1, false}), PrinterFault::None);
        QCOMPARE(printer.BeginJob({"t", 2, false}), PrinterFault::AlreadyPrinting);
        QCOMPARE(printer.SetPortrait(), PrinterFault::AlreadyPrinting);
        QCOMPARE(printer.EndJob(), PrinterFault::None);
        QCOMPARE(printer.EndJob(), PrinterFault::NotReady);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"faults-1.pdf"});
    }

    void unwritableFileIsNotReady()
    {
        QtSheetPrinter printer;
        PrintToFile(printer, QStringLiteral("/nonexistent-folder/sheet.pdf"));
        QCOMPARE(printer.BeginJob({"t", 1, false}), PrinterFault::NotReady);
        QCOMPARE(printer.device().outputFileName(), QStringLiteral("/nonexistent-folder/sheet.pdf"));
    }

    void noPrinterInstalled()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty()) QSKIP("this system has a printer");
        PrintingWindow w;
        QTest::mouseClick(w.form.btnPreview, Qt::LeftButton);
        Retype(w.form.PrnNum, QStringLiteral("3"));
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        const std::vector<RecordingServices::Event> expected = {
            {RecordingServices::Kind::Error, {}, "デフォルト プリンタが存在しません."}};
        QCOMPARE(w.services.events, expected);
        QCOMPARE(w.form.sheetState().PrintNumber, 3);
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("3"));
    }

    void printSetupShowsQtsDialogForTheOnePrinter()
    {
        QTemporaryDir dir;
        PrintingWindow w;
        const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
        PrintToFile(w.printer, chosen);
        QPrinter* seenPrinter = nullptr;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            poll.stop();
            seenPrinter = dialog->printer();
            dialog->reject();
        });
        poll.start();
        QTest::mouseClick(w.form.btnMaintenance, Qt::LeftButton);
        QCOMPARE(seenPrinter, &w.printer.device());
        // Cancelled: the choice stands.
        QCOMPARE(w.printer.device().outputFileName(), chosen);
        QCOMPARE(w.printer.device().outputFormat(), QPrinter::PdfFormat);
    }

    void faultMessages()
    {
        QCOMPARE(PrinterFaultMessage(PrinterFault::NoDefaultPrinter), "デフォルト プリンタが存在しません");
        QCOMPARE(PrinterFaultMessage(PrinterFault::UnsupportedFeature),
                 "選択されたプリンタではサポートされていない機能です");
        QCOMPARE(PrinterFaultMessage(PrinterFault::AlreadyPrinting), "現在印刷中です");
        QCOMPARE(PrinterFaultMessage(PrinterFault::NotReady), "プリンタに印刷できる状態ではありません");
    }
};

QTEST_MAIN(PrintingTest)
#include "printing_test.moc"
