// The print commands against the private CUPS daemon of run-spooler-test: what
// the spooler received from the window's print commands and from --print.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <array>
#include <map>

#include "recording_services.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "runtime/qt/qt_window_services.h"
#include "runtime/qt/run_program.h"
#include "session/print_sequence.h"

namespace tavrimo::testing {
namespace {

const QString kDir = qEnvironmentVariable("TAVRIMO_SPOOLER_DIR");
const QString kSheets = qEnvironmentVariable("TAVRIMO_SHEETS");

// One job as the daemon logged and kept it.
struct Job {
    int id = 0, pages = 0;
    QString media, title;
};

// The jobs of the page log by id: lines "id page copies media title", or "id total N ..." from the filters.
std::vector<Job> LoggedJobs()
{
    std::map<int, Job> jobs;
    QFile log(kDir + "/log/page_log");
    for (const QString& line :
         QString::fromUtf8(log.open(QIODevice::ReadOnly) ? log.readAll() : "").split('\n')) {
        const QStringList f = line.split(' ');
        if (f.size() < 5) continue;
        Job& job = jobs[f[0].toInt()];
        job = {f[0].toInt(), job.pages + (f[1] == "total" ? f[2].toInt() : 1), f[3], f.mid(4).join(' ')};
    }
    std::vector<Job> byId;
    for (const auto& [id, job] : jobs) byId.push_back(job);
    return byId;
}

// Waits until the daemon has finished `count` jobs in all.
std::vector<Job> WaitForJobs(std::size_t count)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000 &&
           (LoggedJobs().size() < count || !RunProgram("lpstat", {"-o"}).out.trimmed().isEmpty()))
        QTest::qWait(20);
    return LoggedJobs();
}

// A set as printed: its sheet number and problems, each minuend, subtrahend and answer.
struct Set {
    int number = 0;
    std::vector<std::array<MixedNumber, 3>> problems;
};

// The job: its title, one portrait A4 page, the sheet number, the numbers of the operands, and of the
// answers exactly on an answer sheet: whole parts other than 0, numerators and denominators.
void CheckJob(const Job& job, const Set& set, bool answerSheet, int page = 1, int pages = 1)
{
    QCOMPARE(QString("%1 %2 %3").arg(job.pages).arg(job.media, job.title),
             QString("%1 A4 ").arg(pages) + kDocumentTitle);
    const QString pdf = QString("%1/spool/d%2-001").arg(kDir).arg(job.id, 5, 10, QChar('0'));
    const QString info = RunProgram("pdfinfo", {pdf}).out;
    QVERIFY2(info.contains(QRegularExpression(
                 QString(R"((?m)^Pages:\s+%1\n(.*\n)*Page size:\s+59[45][\d.]* x 84[12][\d.]* pts \(A4\)$)")
                     .arg(pages))),
             qPrintable(pdf + " is not portrait A4 pages:\n" + info));
    QString text = RunProgram("pdftotext",
                              {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"})
                       .out;
    static const QRegularExpression label(R"(問題No\.(-?\d+))");
    QCOMPARE(label.match(text).captured(1), QString::number(set.number));
    std::vector<int> shown, expected;
    for (auto it = QRegularExpression(R"(\d+)").globalMatch(text.remove(label)); it.hasNext();)
        shown.push_back(it.next().captured().toInt());
    for (const auto& problem : set.problems)
        for (const MixedNumber& m : {problem[0], problem[1], answerSheet ? problem[2] : MixedNumber()}) {
            if (m.Whole != 0) expected.push_back(m.Whole);
            if (m.Denominator != 0) expected.insert(expected.end(), {m.Numerator, m.Denominator});
        }
    std::sort(shown.begin(), shown.end());
    std::sort(expected.begin(), expected.end());
    QVERIFY2(shown == expected,
             qPrintable(pdf + (answerSheet ? " is not the answer sheet" : " is not the problem sheet")));
}

// Clicks 印刷設定 and, once its dialog is up, runs act on it, which is to close it.
void WithSetupDialog(TestWindow<QtSheetPrinter>& w, const std::function<void(QPrintDialog&)>& act)
{
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        poll.stop();
        act(*dialog);
    });
    poll.start(10);
    w.Click(w.form.btnMaintenance);
}

// The texts of the dialog left in English, outside skip: labels, buttons, group boxes, tabs.
QStringList EnglishTexts(QWidget& dialog, QWidget* skip)
{
    QStringList english;
    for (QWidget* widget : dialog.findChildren<QWidget*>()) {
        if (skip != nullptr && skip->isAncestorOf(widget)) continue;
        QStringList texts;
        const bool data =
            widget->objectName() == "location" || widget->objectName() == "type";  // the queue's
        if (auto* label = qobject_cast<QLabel*>(widget); label && !data) texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << button->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) texts << group->title();
        if (auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
        static const QRegularExpression pattern("^[ -~]*[A-Za-z]{2}[ -~]*$");
        for (const QString& text : texts)
            if (text != "OK" && pattern.match(text).hasMatch()) english << "English: " + text;
    }
    return english;
}

// What the setup dialog shows: caption, confirm button, the output chosen (the queue, or the
// file entry and the file), then anything that should not be there once its options are
// expanded: page range, page set or current page, or a text left in English (also where this
// queue hides it, as the duplex options of a queue without duplex).
QStringList Shown(QPrintDialog& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    auto* printers = dialog.findChild<QComboBox*>("printers");
    if (buttons == nullptr || printers == nullptr) return {"not Qt's print dialog"};
    QStringList shown{dialog.windowTitle(), buttons->button(QDialogButtonBox::Ok)->text(),
                      printers->currentText()};
    if (printers->currentIndex() == printers->count() - 1)
        shown << dialog.findChild<QLineEdit*>("filename")->text();
    for (QAbstractButton* button : buttons->buttons())
        if (buttons->buttonRole(button) != QDialogButtonBox::AcceptRole &&
            buttons->buttonRole(button) != QDialogButtonBox::RejectRole)
            button->click();  // the options
    for (const char* name :
         {"gbPrintRange", "printRange", "pagesRadioButton", "printCurrentPage", "pageSetCombo"})
        if (dialog.findChild<QWidget*>(name)->isVisibleTo(&dialog)) shown << QString("offers %1").arg(name);
    return shown + EnglishTexts(dialog, dialog.findChild<QWidget*>("gbPrintRange"));
}

}  // namespace

class SpoolerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(!kDir.isEmpty(), "run by run-spooler-test, which starts the daemon");
        QVERIFY2(InstallJapaneseQtTexts(), "qt6-translations-l10n is not installed (scripts/install-deps)");
    }

    // No daemon yet, then a daemon without a queue: each print command of the window and --print
    // say which, change nothing and send nothing. Run as noPrinter:unreachable, then as
    // "noPrinter:no queue" once the daemon answers.
    void noPrinter_data()
    {
        QTest::addColumn<QString>("message");
        QTest::newRow("unreachable") << "印刷スプーラ（CUPS）に接続できません.";
        QTest::newRow("no queue") << "デフォルト プリンタが存在しません.";
    }
    void noPrinter()
    {
        QFETCH(QString, message);
        TestWindow<QtSheetPrinter> w;
        Retype(w.form.PrnNum, "5");
        w.Preview();
        for (QPushButton* button : {w.form.btnPrint, w.form.btnPrintWithAns, w.form.btnPrintAns}) {
            w.services.events.clear();
            w.Click(button);
            QCOMPARE(w.services.events, QStringList{"error: " + message});
            QCOMPARE(w.form.PrnNum->text() + ' ' + QString::number(w.form.session().PrintNumber()), "5 5");
        }
        const ProgramOutput o = RunProgram(kSheets, {"--seed", "1", "--print"});
        QVERIFY2(o.code == 2 && o.err == message + '\n', qPrintable(o.err));
        QVERIFY(RunProgram("lpstat", {"-W", "all", "-o"}).out.trimmed().isEmpty() && LoggedJobs().empty());
    }

    // Preview, then 印刷, 印刷（答えつき）, 印刷（答えのみ）: 1, 2 and 1 jobs.
    void windowPrints()
    {
        TestWindow<QtSheetPrinter> w(20261208);
        QVERIFY(w.Show());  // the preview box shows, and so answers, the sheet
        Retype(w.form.PrnNum, "7");
        w.Preview();
        QVERIFY(w.services.events.empty() && w.form.session().QuestionCount() == 16);
        Set set{7, {}};
        const ProblemTable& table = w.form.problemTable();  // answers computed for the preview
        for (int i = 1; i <= 16; ++i)
            set.problems.push_back({table.Minuend[i], table.Subtrahend[i], table.Answer[i]});
        std::size_t seen = LoggedJobs().size();
        for (const auto& [button, sheets] : {std::pair{w.form.btnPrint, std::vector{false}},
                                             {w.form.btnPrintWithAns, {false, true}},
                                             {w.form.btnPrintAns, {true}}}) {
            w.Click(button);
            QVERIFY(w.services.events.empty());
            const std::vector<Job> jobs = WaitForJobs(seen + sheets.size());
            QCOMPARE(jobs.size(), seen + sheets.size());
            for (std::size_t k = 0; k < sheets.size() && !QTest::currentTestFailed(); ++k)
                CheckJob(jobs[seen++], set, sheets[k]);
            if (QTest::currentTestFailed()) return;
            QCOMPARE(w.form.PrnNum->text(), QString::number(++set.number));
        }
    }

    // 印刷設定 chooses the queue or a PDF file and keeps the choice until OK: a cancel changes
    // nothing, whatever was chosen in the dialog. The dialog is a setup dialog: captioned as its
    // button, confirmed with OK, without page ranges, all in Japanese.
    void setupDialog()
    {
        QTemporaryDir dir;
        const QString chosen = dir.filePath("s.pdf");
        TestWindow<QtSheetPrinter> w;
        Retype(w.form.PrnNum, "3");
        w.Preview();
        const QString queue = "q", file = "PDF ファイルに出力";
        const struct Step {
            const char* name;
            QStringList shown;  // before the choice
            QString choice;     // "": none
            bool ok;
            QStringList files;  // afterwards, by 印刷
            std::size_t queued;
        } steps[] = {
            {"the file, OK", {queue}, file, true, {"s-3.pdf"}, 0},
            {"nothing, cancelled", {file, chosen}, "", false, {"s-3.pdf", "s-4.pdf"}, 0},
            {"the queue, cancelled", {file, chosen}, queue, false, {"s-3.pdf", "s-4.pdf", "s-5.pdf"}, 0},
            {"the queue, OK", {file, chosen}, queue, true, {"s-3.pdf", "s-4.pdf", "s-5.pdf"}, 1},
            {"the file, cancelled", {queue}, file, false, {"s-3.pdf", "s-4.pdf", "s-5.pdf"}, 2},
        };
        const std::size_t jobs = LoggedJobs().size();
        for (const Step& step : steps) {
            QStringList shown;
            WithSetupDialog(w, [&](QPrintDialog& dialog) {
                shown = Shown(dialog);
                auto* printers = dialog.findChild<QComboBox*>("printers");
                if (!step.choice.isEmpty()) printers->setCurrentText(step.choice);
                if (step.choice == file) dialog.findChild<QLineEdit*>("filename")->setText(chosen);
                if (step.ok)
                    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                else
                    QTest::keyClick(&dialog, Qt::Key_Escape);
            });
            QCOMPARE(shown, QStringList({"印刷設定", "OK"}) + step.shown);
            w.Click(w.form.btnPrint);
            QVERIFY(w.services.events.empty());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files), step.files);
            QCOMPARE(WaitForJobs(jobs + step.queued).size(), jobs + step.queued);
        }
    }

    // 印刷設定 → プロパティ: the printer's properties, all in Japanese too.
    void propertiesDialog()
    {
        TestWindow<QtSheetPrinter> w;
        QStringList seen{"not shown"};
        WithSetupDialog(w, [&](QPrintDialog& dialog) {
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] {
                QWidget* properties = QApplication::activeModalWidget();
                if (properties == nullptr || properties == &dialog || !properties->isVisible()) return;
                poll.stop();
                // The advanced page holds the queue's own options, named by its driver.
                seen = QStringList{properties->windowTitle()} +
                       EnglishTexts(*properties, properties->findChild<QWidget*>("cupsPropertiesPage"));
                QTest::keyClick(properties, Qt::Key_Escape);
            });
            poll.start(10);
            dialog.findChild<QPushButton*>("properties")->click();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QCOMPARE(seen.join(" / "), "プリンタのプロパティ");
    }

    // A queue that takes no job: the error report names it and says why; nothing is queued
    // (a stopped queue would hold the jobs unprinted) and the number stays. Deletes the queue.
    void refusedJobs()
    {
        const struct Row {
            const char* name;
            QStringList before, after;  // commands
            QString reason;
        } rows[] = {
            {"rejecting jobs", {"cupsreject", "q"}, {"cupsaccept", "q"}, "ジョブを受け付けない設定です"},
            {"stopped", {"cupsdisable", "q"}, {"cupsenable", "q"}, "停止しています"},
            {"deleted", {"lpadmin", "-x", "q"}, {}, "プリンタが見つかりません"},
        };
        const std::size_t jobs = LoggedJobs().size();
        {
            // Refused when handed over, after the check before the job: CUPS's answer, which Qt drops.
            QtSheetPrinter printer;
            QCOMPARE(printer.BeginJob({kDocumentTitle, 1, false}), PrinterFault::None);
            RunProgram("cupsreject", {"q"});
            const PrinterFault fault = printer.EndJob();
            RunProgram("cupsaccept", {"q"});
            QCOMPARE(fault, PrinterFault::Refused);
            QCOMPARE(printer.FaultDetail().reason, "ジョブを受け付けない設定です");
        }
        for (const Row& row : rows) {
            TestWindow<QtSheetPrinter> w;
            w.printer.device();  // chosen while the queue takes jobs
            Retype(w.form.PrnNum, "6");
            w.Preview();
            QCOMPARE(RunProgram(row.before[0], row.before.mid(1)).code, 0);
            w.Click(w.form.btnPrintWithAns);
            if (!row.after.isEmpty()) RunProgram(row.after[0], row.after.mid(1));
            QCOMPARE(w.services.events,
                     QStringList{"error: プリンタ「q」が印刷を受け付けません（" + row.reason + "）."});
            QCOMPARE(w.form.PrnNum->text() + ' ' + QString::number(w.form.session().PrintNumber()), "6 6");
            QCOMPARE(RunProgram("lpstat", {"-o"}).out.trimmed(), "");
            QCOMPARE(LoggedJobs().size(), jobs);
        }
    }

    // tavrimo-sheets --print: a job per sheet, as the window's commands.
    void commandLinePrints()
    {
        const auto mixed = [](const auto& v) {
            return MixedNumber{v[0].toInt(), v[1].toInt(), v[2].toInt()};
        };
        std::size_t seen = LoggedJobs().size();
        // One set: a job per sheet. A class set: sheet by sheet in one job.
        for (const auto& [arguments, sheets] :
             {std::pair{"--seed 11 --sheets 2 --number 4 --answers with --print", std::vector{false, true}},
              {"--seed 12 --printer q --answers only", {true}},
              {"--seed 13 --print", {false}}}) {
            const ProgramOutput o = RunProgram(kSheets, QString(arguments).split(' ') << "--json");
            QVERIFY2(o.code == 0, qPrintable(arguments + (": " + o.err)));
            const QJsonArray sets = QJsonDocument::fromJson(o.out.toUtf8()).array();
            const bool classSet = sets.size() > 1;
            const std::size_t jobCount = classSet ? 1 : sheets.size();
            const int pages = static_cast<int>(classSet ? sets.size() * sheets.size() : 1);
            const std::vector<Job> jobs = WaitForJobs(seen + jobCount);
            QVERIFY(!sets.isEmpty() && jobs.size() == seen + jobCount);
            int page = 0;
            for (const QJsonValue& value : sets) {
                Set set{value["print_number"].toInt(), {}};
                for (const QJsonValue& p : value["problems"].toArray())
                    set.problems.push_back({mixed(p["minuend"]), mixed(p["subtrahend"]), mixed(p["answer"])});
                for (std::size_t k = 0; k < sheets.size() && !QTest::currentTestFailed(); ++k)
                    CheckJob(jobs[classSet ? seen : seen++], set, sheets[k], classSet ? ++page : 1, pages);
                if (QTest::currentTestFailed()) return;
            }
            if (classSet) ++seen;
        }
        // A printer that does not exist: refused before any job.
        const ProgramOutput o = RunProgram(kSheets, {"--seed", "1", "--printer", "nosuch"});
        QVERIFY2(o.code == 2 && o.err.contains("nosuch"), qPrintable(o.err));
        QVERIFY(RunProgram("lpstat", {"-o"}).out.trimmed().isEmpty());
        QCOMPARE(LoggedJobs().size(), seen);
    }
};

}  // namespace tavrimo::testing

QTEST_MAIN(tavrimo::testing::SpoolerTest)
#include "spooler_test.moc"
