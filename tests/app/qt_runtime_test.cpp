// The window's Qt services for real: the printer on PDF files read back with
// poppler, its faults, job file names and dialog, and the message boxes.

#include <sys/resource.h>

#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <csignal>

#include "recording_services.h"
#include "runtime/qt/application_title.h"
#include "runtime/qt/job_files.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/qt/qt_window_services.h"
#include "runtime/qt/run_program.h"

using namespace tavrimo;
using namespace tavrimo::testing;

namespace {

// The text pdftotext finds in the file, without white space, or what pdfinfo says of it.
QString Poppler(const QString& file, bool info = false)
{
    if (info) return RunProgram("pdfinfo", {file}).out;
    return RunProgram("pdftotext", {file, "-"}).out.remove(QRegularExpression("\\s"));
}

// Runs open, which shows a modal box, and returns what it showed, closing it: a message
// box's icon, caption, text, buttons, whether centred and whether plain text, or a print
// dialog's caption.
QStringList Modal(const std::function<void()>& open)
{
    QStringList seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        poll.stop();
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) seen << dialog->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << QString::number(box->icon()) << box->windowTitle() << box->text();
            for (QAbstractButton* button : box->buttons()) seen << button->text().remove('&');
            const QPoint off = box->frameGeometry().center() - box->screen()->availableGeometry().center();
            seen << (off.manhattanLength() <= 2 ? "centred" : "off centre");
            seen << (box->textFormat() == Qt::PlainText ? "plain" : "markup");
        }
        modal->close();
    });
    poll.start(10);
    open();
    return seen;
}

// While it lives the process may write no file beyond `bytes`: further writes fail (EFBIG), as
// they fail (ENOSPC) on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : signal_(std::signal(SIGXFSZ, SIG_IGN))  // a failed write, no more
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    void (*signal_)(int);
    rlimit saved_{};
};

}  // namespace

class QtRuntimeTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallSheetFontSubstitutions(); }

    void namesAndTitles()
    {
        // The chosen file, the sheet number, answer sheet or not: the job's file.
        for (const QString row :
             {"/d/sheet.pdf 7 0 /d/sheet-7.pdf", "/d/sheet.pdf 7 1 /d/sheet-7-解答.pdf",
              "/d/sheet 12 0 /d/sheet-12.pdf", "/d.x/drill.2024.pdf 3 0 /d.x/drill.2024-3.pdf",
              "/d/s.pdf -2 1 /d/s--2-解答.pdf"}) {
            const QStringList f = row.split(' ');
            QCOMPARE(JobFilePath(f[0], f[1].toInt(), f[2] == "1"), f[3]);
        }
        // A symbolic link takes its name, even one to nowhere: the sheet would go where it points.
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath("elsewhere/x.pdf"), dir.filePath("s-3.pdf")));
        QCOMPARE(JobFilePath(dir.filePath("s.pdf"), 3, false), dir.filePath("s-3 (2).pdf"));
        // The program file: the caption of the error report.
        for (const QString row :
             {"/usr/bin/tavrimo tavrimo", "/opt/x/TAVRIMO.EXE Tavrimo", "/home/t/tav.rimo.bin tav",
              "/home/t.v/build/Tavrimo Tavrimo", "tAvRiMo tavrimo", "/b/2DRILL 2drill", "/b/.hidden "})
            QCOMPARE(ApplicationTitle(row.section(' ', 0, 0)), row.section(' ', 1));
    }

    // A job's file that cannot be written whole, as on a full disk, and a folder that is gone: the
    // error report says so, with the system's reason; no file is left, at the sheet's name or a
    // temporary one; the number stays. Then the same command writes each sheet to a PDF of its own;
    // the same number again, for a new set, makes a file of its own, the first untouched.
    void jobFiles()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("poppler-utils not installed");
        QTemporaryDir dir;
        const QString folder = dir.filePath("week");
        QVERIFY(QDir().mkdir(folder));
        TestWindow<QtSheetPrinter> w;
        w.printer.device().setOutputFileName(folder + "/sheet.pdf");
        w.Preview();
        Retype(w.form.PrnNum, "7");
        const QString number = "7 7";
        const auto held = [&] {
            return w.form.PrnNum->text() + ' ' + QString::number(w.form.session().PrintNumber());
        };
        {
            const FileSizeLimit limit(4096);
            w.Click(w.form.btnPrintWithAns);
        }
        QCOMPARE(w.services.events,
                 QStringList{"error: ファイル " + folder + "/sheet-7.pdf を書き込めません（" +
                             qt_error_string(EFBIG) + "）."});
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(held(), number);

        QVERIFY(QDir(folder).removeRecursively());
        w.services.events.clear();
        w.Click(w.form.btnPrint);
        QCOMPARE(w.services.events, QStringList{"error: 保存先のフォルダ " + folder + " がありません."});
        QCOMPARE(held(), number);

        QVERIFY(QDir().mkdir(folder));
        w.services.events.clear();
        w.Click(w.form.btnPrintWithAns);
        QVERIFY(w.services.events.isEmpty());
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"sheet-7-解答.pdf", "sheet-7.pdf"}));
        QCOMPARE(held(), "8 8");
        QCOMPARE(w.printer.device().outputFileName(), folder + "/sheet.pdf");  // for the next command
        const QString problems = Poppler(folder + "/sheet-7.pdf");
        QVERIFY(Poppler(folder + "/sheet-7-解答.pdf").size() > problems.size());  // with the answers
        // Titled, one page of the printer's size, in points as pdfinfo gives it.
        const QSizeF page = w.printer.device().pageLayout().fullRectPoints().size();
        const QString size =
            QString("Page size: +%1[.\\d]* x %2[.\\d]* pts").arg(int(page.width())).arg(int(page.height()));
        for (const QString& file : {folder + "/sheet-7.pdf", folder + "/sheet-7-解答.pdf"}) {
            QVERIFY(Poppler(file, true)
                        .contains(QRegularExpression(
                            "(?m)^Title: +Tavrimo引き算分数編\n(.*\n)*Pages: +1\n(.*\n)*" + size)));
            QVERIFY(Poppler(file).contains("つぎの計算をしましょう。") && Poppler(file).contains("問題No.7"));
        }
        Retype(w.form.PrnNum, "7");
        w.Preview();
        w.Click(w.form.btnPrint);
        QCOMPARE(Poppler(folder + "/sheet-7.pdf"), problems);
        const QString again = Poppler(folder + "/sheet-7 (2).pdf");
        QVERIFY(again.contains("問題No.7") && again != problems);
    }

    void printerDialogAndBoxes()
    {
        // 印刷設定 shows Qt's dialog as a setup dialog; cancelled, the choice stands.
        TestWindow<QtSheetPrinter> w;
        w.printer.device().setOutputFileName("/nonexistent-folder/chosen.pdf");
        QCOMPARE(Modal([&] { w.Click(w.form.btnMaintenance); }), QStringList{"印刷設定"});
        QCOMPARE(w.printer.device().outputFileName(), "/nonexistent-folder/chosen.pdf");
        QCOMPARE(w.printer.device().outputFormat(), QPrinter::PdfFormat);
        // Portrait, the printable area in device pixels; a file that cannot be written is a fault.
        QtSheetPrinter& printer = w.printer;
        QCOMPARE(printer.SetPortrait(), PrinterFault::None);
        const QSize page(printer.PageWidth(), printer.PageHeight());
        QVERIFY(page.height() > page.width() &&
                page == QSize(printer.device().width(), printer.device().height()));
        QCOMPARE(printer.BeginJob({"t", 1, false}), PrinterFault::FolderMissing);
        QCOMPARE(printer.EndJob(), PrinterFault::NotReady);
        QCOMPARE(PrinterFaultMessage(PrinterFault::UnsupportedFeature),
                 "選択されたプリンタではサポートされていない機能です");
        QCOMPARE(PrinterFaultMessage(PrinterFault::NotReady), "プリンタに印刷できる状態ではありません");
        // The error report and the warning, modal; what was typed shows as the text it is, never as markup.
        QtWindowServices services(ApplicationTitle("/usr/bin/tavrimo"));
        TForm1 form(w.printer, services);
        Retype(form.PrnNum, "<h1>大きい</h1>");
        const auto preview = [&] { w.Click(form.btnPreview); };
        QCOMPARE(Modal(preview),
                 (QStringList{QString::number(QMessageBox::Critical), "tavrimo",
                              "'<h1>大きい</h1>' は整数ではありません.", "OK", "centred", "plain"}));
        Retype(form.PrnNum, "1");
        Retype(form.edtBunbof1, "0");
        Retype(form.edtBunbof2, "0");
        QCOMPARE(Modal(preview),
                 (QStringList{QString::number(QMessageBox::Warning), "警告",
                              "今の条件では、指定された問題数が確保できません。", "OK", "centred", "plain"}));
    }
};

QTEST_MAIN(QtRuntimeTest)
#include "qt_runtime_test.moc"
