// The print commands against the private CUPS daemon of run-spooler-test: what
// the spooler received from the window's print commands and from --print.
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <map>

#include "recording_services.h"
#include "runtime/qt/qt_sheet_printer.h"
#include "session/print_sequence.h"

namespace tavrimo::testing {
namespace {

const QString kDir = qEnvironmentVariable("TAVRIMO_SPOOLER_DIR");
const QString kSheets = qEnvironmentVariable("TAVRIMO_SHEETS");

struct Output {
    int code = -1;
    QString out, err;
};

Output Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

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
           (LoggedJobs().size() < count || !Run("lpstat", {"-o"}).out.trimmed().isEmpty()))
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
void CheckJob(const Job& job, const Set& set, bool answerSheet)
{
    QCOMPARE(QString("%1 %2 %3").arg(job.pages).arg(job.media, job.title), QString("1 A4 ") + kDocumentTitle);
    const QString pdf = QString("%1/spool/d%2-001").arg(kDir).arg(job.id, 5, 10, QChar('0'));
    const QString info = Run("pdfinfo", {pdf}).out;
    QVERIFY2(info.contains(QRegularExpression(
                 R"((?m)^Pages:\s+1\n(.*\n)*Page size:\s+59[45][\d.]* x 84[12][\d.]* pts \(A4\)$)")),
             qPrintable(pdf + " is not one portrait A4 page:\n" + info));
    QString text = Run("pdftotext", {"-layout", pdf, "-"}).out;
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

}  // namespace

class SpoolerTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!kDir.isEmpty(), "run by run-spooler-test, which starts the daemon"); }

    // No queue: each print command reports the missing printer, changes nothing and sends nothing.
    void noDefaultPrinter()
    {
        TestWindow<QtSheetPrinter> w;
        Retype(w.form.PrnNum, "5");
        w.Preview();
        for (QPushButton* button : {w.form.btnPrint, w.form.btnPrintWithAns, w.form.btnPrintAns}) {
            w.services.events.clear();
            w.Click(button);
            QCOMPARE(w.services.events, QStringList{"error: デフォルト プリンタが存在しません."});
            QCOMPARE(w.form.PrnNum->text() + ' ' + QString::number(w.form.session().PrintNumber()), "5 5");
        }
        QVERIFY(Run("lpstat", {"-W", "all", "-o"}).out.trimmed().isEmpty() && LoggedJobs().empty());
    }

    void commandLineWithoutPrinter()
    {
        const Output o = Run(kSheets, {"--seed", "1", "--print"});
        QVERIFY2(o.code == 2 && o.err.contains("デフォルト プリンタが存在しません."), qPrintable(o.err));
        QVERIFY(LoggedJobs().empty());
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

    // tavrimo-sheets --print: a job per sheet, as the window's commands.
    void commandLinePrints()
    {
        const auto mixed = [](const auto& v) {
            return MixedNumber{v[0].toInt(), v[1].toInt(), v[2].toInt()};
        };
        std::size_t seen = LoggedJobs().size();
        for (const auto& [arguments, sheets] :
             {std::pair{"--seed 11 --sheets 2 --number 4 --answers with --print", std::vector{false, true}},
              {"--seed 12 --printer q --answers only", {true}},
              {"--seed 13 --print", {false}}}) {
            const Output o = Run(kSheets, QString(arguments).split(' ') << "--json");
            QVERIFY2(o.code == 0, qPrintable(arguments + (": " + o.err)));
            const QJsonArray sets = QJsonDocument::fromJson(o.out.toUtf8()).array();
            const std::vector<Job> jobs = WaitForJobs(seen + sets.size() * sheets.size());
            QVERIFY(!sets.isEmpty() && jobs.size() == seen + sets.size() * sheets.size());
            for (const QJsonValue& value : sets) {
                Set set{value["print_number"].toInt(), {}};
                for (const QJsonValue& p : value["problems"].toArray())
                    set.problems.push_back({mixed(p["minuend"]), mixed(p["subtrahend"]), mixed(p["answer"])});
                for (std::size_t k = 0; k < sheets.size() && !QTest::currentTestFailed(); ++k)
                    CheckJob(jobs[seen++], set, sheets[k]);
                if (QTest::currentTestFailed()) return;
            }
        }
        // A printer that does not exist: refused before any job.
        const Output o = Run(kSheets, {"--seed", "1", "--printer", "nosuch"});
        QVERIFY2(o.code == 2 && o.err.contains("nosuch"), qPrintable(o.err));
        QVERIFY(Run("lpstat", {"-o"}).out.trimmed().isEmpty());
        QCOMPARE(LoggedJobs().size(), seen);
    }
};

}  // namespace tavrimo::testing

QTEST_MAIN(tavrimo::testing::SpoolerTest)
#include "spooler_test.moc"
