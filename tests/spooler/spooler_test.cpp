// The print commands against a real CUPS daemon, the private one that
// run-spooler-test starts: what the spooler received from the window's three
// print commands and from the command line's --print, job by job.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <vector>

#include "app/Fmain.h"
#include "recording_services.h"
#include "runtime/qt_sheet_printer.h"
#include "runtime/sheet_files.h"
#include "window_test_support.h"

namespace tavrimo::testing {
namespace {

QString SpoolerDir()
{
    return qEnvironmentVariable("TAVRIMO_SPOOLER_DIR");
}

struct Output {
    int exitCode = -1;
    QString out, err;
};

Output Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    Output o;
    if (!process.waitForFinished(60000)) return o;
    o.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    o.out = QString::fromUtf8(process.readAllStandardOutput());
    o.err = QString::fromUtf8(process.readAllStandardError());
    return o;
}

// One job as the daemon logged and kept it.
struct ReceivedJob {
    int id = 0;
    QString title;
    QString media;
    int loggedPages = 0;
    QString document;  // the file the daemon received, kept in its spool
};

// The jobs of the page log, by id. Its lines read "id page copies media
// title"; the PDF filters log one line "id total N ..." per job.
std::vector<ReceivedJob> LoggedJobs()
{
    std::vector<ReceivedJob> jobs;
    QFile log(SpoolerDir() + "/log/page_log");
    if (!log.open(QIODevice::ReadOnly)) return jobs;
    for (const QString& line : QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)) {
        const QStringList f = line.split(' ');
        if (f.size() < 5) continue;
        const int id = f[0].toInt();
        auto job = std::find_if(jobs.begin(), jobs.end(), [&](const ReceivedJob& j) { return j.id == id; });
        if (job == jobs.end()) {
            ReceivedJob j;
            j.id = id;
            j.media = f[3];
            j.title = f.mid(4).join(' ');
            j.document = QString("%1/spool/d%2-001").arg(SpoolerDir()).arg(id, 5, 10, QChar('0'));
            jobs.push_back(j);
            job = jobs.end() - 1;
        }
        job->loggedPages += f[1] == "total" ? f[2].toInt() : 1;
    }
    std::sort(jobs.begin(), jobs.end(),
              [](const ReceivedJob& a, const ReceivedJob& b) { return a.id < b.id; });
    return jobs;
}

int CompletedJobs()
{
    const Output o = Run("lpstat", {"-W", "completed", "-o"});
    return static_cast<int>(o.out.split('\n', Qt::SkipEmptyParts).size());
}

bool NothingPending()
{
    return Run("lpstat", {"-o"}).out.trimmed().isEmpty();
}

// Waits until the daemon has finished `count` jobs in all.
std::vector<ReceivedJob> WaitForJobs(std::size_t count)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        std::vector<ReceivedJob> jobs = LoggedJobs();
        if (jobs.size() >= count && CompletedJobs() >= static_cast<int>(count) && NothingPending())
            return jobs;
        QTest::qWait(20);
    }
    return LoggedJobs();
}

// A PDF as pdfinfo and pdftotext see it.
struct Pdf {
    int pages = 0;
    double width = 0, height = 0;
    QString pageSize;
    QString text;
};

Pdf ReadPdf(const QString& path)
{
    Pdf pdf;
    const QString info = Run("pdfinfo", {path}).out;
    static const QRegularExpression pages(R"(^Pages:\s+(\d+)$)", QRegularExpression::MultilineOption);
    static const QRegularExpression size(R"(^Page size:\s+([\d.]+) x ([\d.]+) pts(.*)$)",
                                         QRegularExpression::MultilineOption);
    if (const auto m = pages.match(info); m.hasMatch()) pdf.pages = m.captured(1).toInt();
    if (const auto m = size.match(info); m.hasMatch()) {
        pdf.width = m.captured(1).toDouble();
        pdf.height = m.captured(2).toDouble();
        pdf.pageSize = m.captured(3).trimmed();
    }
    pdf.text = Run("pdftotext", {"-layout", path, "-"}).out;
    return pdf;
}

// The numbers a sheet shows, sorted: every whole part other than 0 and every
// fraction's numerator and denominator. The sheet number is read apart.
void AddNumbers(const MixedNumber& m, std::vector<int>& numbers)
{
    if (m.Whole != 0) numbers.push_back(m.Whole);
    if (m.Denominator != 0) {
        numbers.push_back(m.Numerator);
        numbers.push_back(m.Denominator);
    }
}

struct Sheet {
    int number = 0;
    std::vector<int> numbers;
};

Sheet SheetOf(const QString& text)
{
    Sheet sheet;
    static const QRegularExpression label(R"(問題No\.(-?\d+))");
    const auto m = label.match(text);
    sheet.number = m.hasMatch() ? m.captured(1).toInt() : -1;
    QString rest = text;
    rest.remove(label);
    static const QRegularExpression digits(R"(\d+)");
    for (auto it = digits.globalMatch(rest); it.hasNext();)
        sheet.numbers.push_back(it.next().captured().toInt());
    std::sort(sheet.numbers.begin(), sheet.numbers.end());
    return sheet;
}

// What a set's problem sheet and answer sheet must show.
struct ExpectedSet {
    int number = 0;
    std::vector<int> problemNumbers, answerNumbers;  // both sorted
};

ExpectedSet Expect(int number, const std::vector<MixedNumber>& operands,
                   const std::vector<MixedNumber>& answers)
{
    ExpectedSet e;
    e.number = number;
    for (const MixedNumber& m : operands) AddNumbers(m, e.problemNumbers);
    e.answerNumbers = e.problemNumbers;
    for (const MixedNumber& m : answers) AddNumbers(m, e.answerNumbers);
    std::sort(e.problemNumbers.begin(), e.problemNumbers.end());
    std::sort(e.answerNumbers.begin(), e.answerNumbers.end());
    return e;
}

// One job: the title, one portrait A4 page, the sheet number, and the
// answers exactly when it is an answer sheet.
void CheckJob(const ReceivedJob& job, const ExpectedSet& set, bool answerSheet)
{
    const QByteArray what = QString("job %1").arg(job.id).toUtf8();
    QVERIFY2(job.title == QString::fromUtf8(kDocumentTitle), what + " title " + job.title.toUtf8());
    QVERIFY2(job.loggedPages == 1, what);
    QVERIFY2(job.media == "A4", what + " media " + job.media.toUtf8());
    const Pdf pdf = ReadPdf(job.document);
    QVERIFY2(pdf.pages == 1, what);
    QVERIFY2(pdf.pageSize == "(A4)" && pdf.width < pdf.height, what + " page " + pdf.pageSize.toUtf8());
    const Sheet sheet = SheetOf(pdf.text);
    QVERIFY2(sheet.number == set.number, what + " sheet number " + QByteArray::number(sheet.number));
    QVERIFY2(sheet.numbers == (answerSheet ? set.answerNumbers : set.problemNumbers),
             what + (answerSheet ? " is not the answer sheet" : " is not the problem sheet"));
}

// The queue's device file holds the last job, rewritten for every job: it
// must be that sheet, one portrait A4 page.
void CheckQueueOutput(const ExpectedSet& set, bool answerSheet)
{
    const Pdf out = ReadPdf(SpoolerDir() + "/out.pdf");
    QCOMPARE(out.pages, 1);
    QCOMPARE(out.pageSize, QString("(A4)"));
    QVERIFY(out.width < out.height);
    const Sheet sheet = SheetOf(out.text);
    QCOMPARE(sheet.number, set.number);
    QCOMPARE(sheet.numbers, answerSheet ? set.answerNumbers : set.problemNumbers);
}

struct Window {
    RecordingServices services;
    QtSheetPrinter printer;
    TForm1 form{printer, services};
};

// The window after a preview of 16 problems under sheet number `number`.
void Preview(Window& w, int number)
{
    w.form.randomSource().setSeed(20261208);
    w.form.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&w.form));
    Retype(w.form.PrnNum, QString::number(number));
    QTest::mouseClick(w.form.btnPreview, Qt::LeftButton);
    QVERIFY(w.services.events.empty());
    QCOMPARE(w.form.sheetState().QuestionCount, 16);
    QVERIFY(w.form.btnPrint->isEnabled());
}

std::vector<MixedNumber> Column(const TForm1& form, bool answers)
{
    std::vector<MixedNumber> column;
    for (int i = 1; i <= form.sheetState().QuestionCount; ++i) {
        if (answers) {
            column.push_back(form.problemTable().Answer[i]);
        } else {
            column.push_back(form.problemTable().Minuend[i]);
            column.push_back(form.problemTable().Subtrahend[i]);
        }
    }
    return column;
}

MixedNumber FromJson(const QJsonValue& v)
{
    const QJsonArray a = v.toArray();
    return {a[0].toInt(), a[1].toInt(), a[2].toInt()};
}

}  // namespace

class SpoolerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(!SpoolerDir().isEmpty(), "run by run-spooler-test, which starts the daemon");
    }

    // No queue at all: each print command reports the missing printer and
    // changes nothing, and nothing reaches the spooler.
    void noDefaultPrinter()
    {
        Window w;
        Preview(w, 5);
        if (QTest::currentTestFailed()) return;
        for (QPushButton* button : {w.form.btnPrint, w.form.btnPrintWithAns, w.form.btnPrintAns}) {
            w.services.events.clear();
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(w.services.events.size(), std::size_t{1});
            QVERIFY(w.services.events[0].kind == RecordingServices::Kind::Error);
            QCOMPARE(QString::fromStdString(w.services.events[0].text),
                     QString("デフォルト プリンタが存在しません."));
            QCOMPARE(w.form.PrnNum->text(), QString("5"));
            QCOMPARE(w.form.sheetState().PrintNumber, 5);
        }
        QVERIFY(Run("lpstat", {"-W", "all", "-o"}).out.trimmed().isEmpty());
        QVERIFY(LoggedJobs().empty());
        QVERIFY(QDir(SpoolerDir() + "/spool").entryList({"d*"}, QDir::Files).isEmpty());
    }

    // No queue: the command line reports it too and sends nothing.
    void commandLineWithoutPrinter()
    {
        const Output o = Run(qEnvironmentVariable("TAVRIMO_SHEETS"), {"--seed", "1", "--print"});
        QCOMPARE(o.exitCode, 2);
        QVERIFY2(o.err.contains("デフォルト プリンタが存在しません."), qPrintable(o.err));
        QVERIFY(LoggedJobs().empty());
    }

    // Preview, then 印刷, 印刷（答えつき）, 印刷（答えのみ）: 1, 2 and 1 jobs.
    void windowPrints()
    {
        Window w;
        Preview(w, 7);
        if (QTest::currentTestFailed()) return;
        const std::vector<MixedNumber> operands = Column(w.form, false);
        const std::vector<MixedNumber> answers = Column(w.form, true);  // computed for the preview

        const struct {
            QPushButton* button;
            std::vector<bool> sheets;  // answer sheet or not, job by job
        } commands[] = {
            {w.form.btnPrint, {false}},
            {w.form.btnPrintWithAns, {false, true}},
            {w.form.btnPrintAns, {true}},
        };
        std::size_t seen = LoggedJobs().size();
        int number = 7;
        for (const auto& command : commands) {
            QElapsedTimer timer;
            timer.start();
            QTest::mouseClick(command.button, Qt::LeftButton);
            QVERIFY(w.services.events.empty());
            const std::vector<ReceivedJob> jobs = WaitForJobs(seen + command.sheets.size());
            qInfo("%s: %zu job(s) through the spooler in %lld ms", qPrintable(command.button->text()),
                  command.sheets.size(), static_cast<long long>(timer.elapsed()));
            QCOMPARE(jobs.size(), seen + command.sheets.size());

            const ExpectedSet set = Expect(number, operands, answers);
            for (std::size_t k = 0; k < command.sheets.size(); ++k) {
                CheckJob(jobs[seen + k], set, command.sheets[k]);
                if (QTest::currentTestFailed()) return;
            }
            CheckQueueOutput(set, command.sheets.back());
            if (QTest::currentTestFailed()) return;
            seen = jobs.size();
            ++number;
            QCOMPARE(w.form.PrnNum->text(), QString::number(number));
        }
    }

    // tavrimo-sheets --print: a job per sheet, as the window's commands.
    void commandLinePrints()
    {
        const QString sheets = qEnvironmentVariable("TAVRIMO_SHEETS");
        QVERIFY(!sheets.isEmpty());
        std::size_t seen = LoggedJobs().size();

        const struct {
            QStringList arguments;
            std::vector<bool> sheets;  // per set
        } runs[] = {
            {{"--seed", "11", "--sheets", "2", "--number", "4", "--answers", "with", "--print"},
             {false, true}},
            {{"--seed", "12", "--printer", "q", "--answers", "only"}, {true}},
            {{"--seed", "13", "--print"}, {false}},
        };
        for (const auto& run : runs) {
            const Output o = Run(sheets, run.arguments + QStringList{"--json"});
            QVERIFY2(o.exitCode == 0, qPrintable(run.arguments.join(' ') + ": " + o.err));
            const QJsonArray sets = QJsonDocument::fromJson(o.out.toUtf8()).array();
            QVERIFY(!sets.isEmpty());
            const std::size_t count = static_cast<std::size_t>(sets.size()) * run.sheets.size();
            const std::vector<ReceivedJob> jobs = WaitForJobs(seen + count);
            QCOMPARE(jobs.size(), seen + count);
            std::size_t k = seen;
            for (const QJsonValue& value : sets) {
                const QJsonObject set = value.toObject();
                std::vector<MixedNumber> operands, answers;
                for (const QJsonValue& p : set["problems"].toArray()) {
                    operands.push_back(FromJson(p.toObject()["minuend"]));
                    operands.push_back(FromJson(p.toObject()["subtrahend"]));
                    answers.push_back(FromJson(p.toObject()["answer"]));
                }
                const ExpectedSet expected = Expect(set["print_number"].toInt(), operands, answers);
                for (const bool answerSheet : run.sheets) {
                    CheckJob(jobs[k++], expected, answerSheet);
                    if (QTest::currentTestFailed()) return;
                }
            }
            seen = jobs.size();
        }

        // A printer that does not exist: refused before any job.
        const Output o = Run(sheets, {"--seed", "1", "--printer", "nosuch"});
        QCOMPARE(o.exitCode, 2);
        QVERIFY2(o.err.contains("nosuch"), qPrintable(o.err));
        QVERIFY(NothingPending());
        QCOMPARE(LoggedJobs().size(), seen);
    }
};

}  // namespace tavrimo::testing

QTEST_MAIN(tavrimo::testing::SpoolerTest)
#include "spooler_test.moc"
