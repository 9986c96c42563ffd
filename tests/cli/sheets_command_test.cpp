#include "cli/sheets_command.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>

#include "cli/progress.h"
#include "problems/problem_text.h"
#include "problems/setting_descriptions.h"
#include "runtime/qt/run_program.h"

namespace tavrimo {
namespace {

using testing::ProgramOutput, testing::RunProgram;

struct Outcome {
    int code;
    QString out, err;
    QByteArray bytes;  // standard output as written
};

Outcome Sheets(QStringList args)
{
    args.prepend("tavrimo-sheets");
    Outcome r;
    QBuffer out(&r.bytes);
    out.open(QIODevice::WriteOnly);
    QTextStream err(&r.err);
    r.code = RunSheetsCommand(args, out, err);
    err.flush();
    r.out = QString::fromUtf8(r.bytes);
    return r;
}

// The sets of a --json run.
QJsonArray Json(QStringList args)
{
    return QJsonDocument::fromJson(Sheets(args << "--json").out.toUtf8()).array();
}

// The program itself, for what happens in main and at the file descriptors, under `env`
// with the options and variables given (-u NAME, then NAME=VALUE).
ProgramOutput Binary(const QStringList& args, const QStringList& environment = {})
{
    return RunProgram("env", environment + QStringList{TAVRIMO_SHEETS_BINARY} + args);
}

TEST(SheetsCommand, TextOutputOneLinePerProblem)
{
    const Outcome r = Sheets({"--seed", "0"});
    EXPECT_EQ(r.code, kExitComplete);
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines[0], "1: 18/86 - 5/86 = 13/86");
    EXPECT_TRUE(lines[15].startsWith("16: "));
    EXPECT_TRUE(r.err.isEmpty());
}

TEST(SheetsCommand, MixedNumberText)
{
    EXPECT_EQ(MixedNumberText({3, 1, 4}), "3 1/4");
    EXPECT_EQ(MixedNumberText({0, 1, 2}), "1/2");
    EXPECT_EQ(MixedNumberText({5, 0, 0}), "5");
    EXPECT_EQ(MixedNumberText({4, 0, 1}), "4");
    EXPECT_EQ(MixedNumberText({0, 0, 0}), "0");
}

TEST(SheetsCommand, ExitCodesAndMessages)
{
    struct Row {
        QStringList args;
        int code;
        const char* err;  // a part of what stderr must say
    };
    const Row rows[] = {
        {{"--seed", "1", "--whole-a-to", "x"}, kExitFailed, "--whole-a-to: 'x' は整数ではありません."},
        {{"--seed", "1", "--den-a-to", "x", "--whole-b-to", ""},
         kExitFailed,
         "--whole-b-to: '' は整数ではありません."},
        {{"--seed", "1", "--den-b-from", "$"}, kExitFailed, "--den-b-from: '$' は整数ではありません."},
        {{"--den-a-from", "1"},
         kExitFailed,
         "--den-a-from: aの分母の下限の「1」は0又は2から99までの数ではありません."},
        {{"--whole-a-to", "100"},
         kExitFailed,
         "--whole-a-to: aの整数部分の上限の「100」は0から99までの数ではありません."},
        {{"--seed", "1", "--number", " 7 "}, kExitFailed, "は整数ではありません"},
        {{"--seed", "4294967296"},
         kExitFailed,
         "--seed: 乱数の種には0から4294967295までの数を指定してください."},
        {{"--seed", "-1"}, kExitFailed, "--seed"},
        {{"--seed", "0x10"}, kExitFailed, "--seed"},
        // The command line's own numbers share one rule: spaces around them are ignored.
        {{"--seed", "5 ", "--count", " 20", "--sheets", " 2 ", "--answer-kind", "\t1"}, kExitComplete, ""},
        {{"--seed", "5", "--sheets", " "}, kExitFailed, "--sheets"},
        {{"--seed", "5", "--count", "020"}, kExitComplete, ""},
        {{"--answer-kind", "6"},
         kExitFailed,
         "--answer-kind: 分数部分だけの答えには0、1、2、3、4、5のどれかを指定してください."},
        {{"--count", "18"}, kExitFailed, "--count"},
        {{"--sheets", "0"}, kExitFailed, "--sheets: 枚数には1から10000までの数を指定してください."},
        {{"--borrow-mix", "101"}, kExitFailed, "--borrow-mix"},
        {{"--collate", "piles"},
         kExitFailed,
         "--collate: ページの順にはpairs、stacksのどれかを指定してください."},
        {{"--no-such-option"}, kExitFailed, "--no-such-option というオプションはありません"},
        {{"--json=yes"}, kExitFailed, "--json は値をとりません"},
        {{"--seed"}, kExitFailed, "--seed には値を指定してください"},
        {{"--seed", "1", "-o", ""}, kExitFailed, "-o"},
        {{"--seed", "1", "-o", "notes.jpg"}, kExitFailed, "notes.jpg"},
        {{"--seed", "1", "-o", "notes"}, kExitFailed, "--format"},
        {{"--seed", "1", "-o", "x.pdf", "--format", "png"}, kExitFailed, "--format png"},
        {{"--seed", "1", "--preview", "--answers", "no", "-o", "p.png"}, kExitFailed, "--answers no"},
        {{"--seed", "1", "-o", "-", "--json"}, kExitFailed, "--json"},
        {{"--seed", "1", "-o", "-", "--format", "png", "--answers", "with"}, kExitFailed, "1ページ"},
        {{"--seed", "1", "--question", QString(40, QChar(0x3042)), "-o", "/dev/null"},
         kExitComplete,
         "右のはしが切れます"},
        {{"-o", "/nonexistent/x.pdf"}, kExitFailed, "ファイル /nonexistent/x.pdf を書き込めません"},
        {{"--preview"}, kExitFailed, "--preview、--format、--dpi には -o でファイル名を指定してください"},
        {{"--answers", "both", "-o", "x.pdf"}, kExitFailed, "--answers: no、with、only のどれか"},
        // b's denominators follow a's unless given: 5 to 5 with 5 to 5 admits no common multiple.
        {{"--seed", "3", "--den-a-from", "5", "--den-a-to", "5", "--common-denominator"}, kExitShort, ""},
        {{"--seed", "3", "--den-a-from", "5", "--den-a-to", "5", "--den-b-from", "2", "--den-b-to", "10",
          "--common-denominator"},
         kExitComplete,
         ""},
        {{"--seed", "1", "--answer-kind", "3"},
         kExitShort,
         "今の条件では、指定された問題数が確保できません。"},
    };
    for (const Row& r : rows) {
        const Outcome run = Sheets(r.args);
        EXPECT_EQ(run.code, r.code) << r.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.err))) << run.err.toStdString();
        if (r.code == kExitFailed) {
            EXPECT_TRUE(run.out.isEmpty()) << r.args.join(' ').toStdString();
            // Refused before a seed was chosen or anything was made.
            EXPECT_FALSE(run.err.contains("乱数の種 (--seed)")) << run.err.toStdString();
        }
    }
}

TEST(SheetsCommand, JsonShapeAndConsecutiveSheets)
{
    // A repeated option takes its last value.
    const Outcome r = Sheets({"--seed", "1", "--seed", "42", "--number", "7", "--sheets", "3", "--count",
                              "16", "--count", "20", "--json"});
    ASSERT_EQ(r.code, kExitComplete);
    const QJsonArray sets = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(sets.size(), 3);
    for (int k = 0; k < 3; ++k) {
        const QJsonObject s = sets[k].toObject();
        EXPECT_EQ(s["print_number"].toInt(), 7 + k);
        EXPECT_EQ(s["question_count"].toInt(), 20);
        EXPECT_TRUE(s["complete"].toBool());
        ASSERT_EQ(s["problems"].toArray().size(), 20);
        const QJsonObject p = s["problems"].toArray()[0].toObject();
        for (const char* key : {"minuend", "subtrahend", "answer"}) EXPECT_EQ(p[key].toArray().size(), 3);
        // Each set starts where the one before ended, as repeated clicks do.
        if (k > 0) {
            EXPECT_EQ(s["seed"], sets[k - 1].toObject()["next_seed"]);
        }
    }
    EXPECT_EQ(sets[0].toObject()["seed"].toInteger(), 42);
    // Streamed set by set, laid out as one document would be.
    EXPECT_EQ(r.bytes, QJsonDocument(sets).toJson());
    // Each set names the generators' version and the settings it was made with.
    EXPECT_EQ(sets[0].toObject()["v"].toInt(), 1);
    const QJsonObject settings = sets[0].toObject()["settings"].toObject();
    EXPECT_EQ(settings["count"].toInt(), 20);
    EXPECT_EQ(settings["sheets"].toInt(), 3);
    EXPECT_EQ(settings["den-b-to"].toString(), "99");
    EXPECT_FALSE(settings["common-denominator"].toBool());
    EXPECT_TRUE(settings["borrow-mix"].isNull());
    EXPECT_EQ(settings["collate"].toString(), "pairs");
}

// With --steps every problem carries its working, the answer last.
TEST(SheetsCommand, WorkingInTextAndJson)
{
    const QStringList args =
        QString(
            "--seed 3 --whole-a-from 1 --whole-a-to 9 --den-a-to 12 --common-denominator "
            "--borrow-mix 50 --steps --method improper")
            .split(' ');
    const QJsonArray problems = Json(args)[0].toObject()["problems"].toArray();
    const QStringList text = Sheets(args).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(problems.size(), 16);
    int line = 0;
    for (const QJsonValue& p : problems) {
        const QJsonArray steps = p.toObject()["steps"].toArray();
        ASSERT_GE(steps.size(), 2);  // improper fractions, then at least the answer
        EXPECT_TRUE(text[line].endsWith(" = " + steps.last().toString())) << text[line].toStdString();
        for (const QJsonValue& step : steps) EXPECT_EQ(text[++line], "    = " + step.toString());
        ++line;
    }
    EXPECT_EQ(line, text.size());
}

TEST(SheetsCommand, EverySpellingOfHelpPrintsIt)
{
    for (const char* help : {"-h", "--help", "--help-all"}) {
        const Outcome r = Sheets({help});
        EXPECT_EQ(r.code, kExitComplete) << help;
        EXPECT_TRUE(r.out.startsWith("使い方: tavrimo-sheets") && r.out.contains("--printer")) << help;
        for (const SettingDescription& d : SettingDescriptions())
            EXPECT_TRUE(r.out.contains(QString::fromUtf8("--" + std::string(d.name)))) << d.name;
    }
}

TEST(SheetsCommand, ShortSetIsPrintedAndEndsTheRun)
{
    const Outcome r =
        Sheets({"--seed", "5", "--whole-a-from", "1", "--whole-a-to", "1", "--whole-b-from", "1",
                "--whole-b-to", "1", "--den-a-to", "3", "--answer-kind", "2", "--sheets", "4", "--json"});
    EXPECT_EQ(r.code, kExitShort);
    const QJsonArray sets = QJsonDocument::fromJson(r.out.toUtf8()).array();
    ASSERT_EQ(sets.size(), 1);
    EXPECT_EQ(sets[0].toObject()["question_count"].toInt(), 2);
    EXPECT_FALSE(sets[0].toObject()["complete"].toBool());

    // Three problems: the sheet shows its full row of two; text and JSON say so of the third.
    const QStringList three = {"--seed",         "5", "--whole-a-from", "1", "--whole-a-to", "1",
                               "--whole-b-from", "1", "--whole-b-to",   "1", "--den-a-to",   "4",
                               "--answer-kind",  "1"};
    const QStringList lines = Sheets(three).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_FALSE(lines[1].contains("のりません"));
    EXPECT_TRUE(lines[2].endsWith("(プリントにはのりません)"));
    const QJsonArray problems = Json(three)[0].toObject()["problems"].toArray();
    ASSERT_EQ(problems.size(), 3);
    EXPECT_TRUE(problems[1].toObject()["on_sheet"].toBool());
    EXPECT_FALSE(problems[2].toObject()["on_sheet"].toBool());
}

TEST(SheetsCommand, WritesThePagesThePrintButtonsWould)
{
    QTemporaryDir dir;
    struct Row {
        const char* answers;
        int sheets;
        const char* collate;
        QStringList numbers;  // page by page
    };
    const Row rows[] = {
        {"no", 1, "pairs", {"1"}},
        {"with", 1, "pairs", {"1", "1"}},
        {"only", 3, "pairs", {"1", "2", "3"}},
        {"with", 2, "pairs", {"1", "1", "2", "2"}},
        {"with", 3, "stacks", {"1", "2", "3", "1", "2", "3"}},
    };
    for (const Row& r : rows) {
        const QString pdf = dir.filePath(QString("%1-%2-%3.pdf").arg(r.answers).arg(r.sheets).arg(r.collate));
        const Outcome o = Sheets({"--seed", "9", "--sheets", QString::number(r.sheets), "--answers",
                                  r.answers, "--collate", r.collate, "-o", pdf});
        EXPECT_EQ(o.code, kExitComplete) << o.err.toStdString();
        QStringList numbers;
        for (const QString& page : RunProgram("pdftotext", {pdf, "-"}).out.split('\f', Qt::SkipEmptyParts))
            numbers << page.section("問題No.", 1).section(QRegularExpression("\\s"), 0, 0);
        EXPECT_EQ(numbers, r.numbers) << r.answers << ' ' << r.collate;
    }

    const QString png = dir.filePath("sheet.png");
    ASSERT_EQ(Sheets({"--seed", "9", "--sheets", "2", "-o", png, "--dpi", "30"}).code, kExitComplete);
    EXPECT_TRUE(QFile::exists(dir.filePath("sheet-1.png")));
    EXPECT_TRUE(QFile::exists(dir.filePath("sheet-2.png")));
    EXPECT_FALSE(QFile::exists(png));

    const QString preview = dir.filePath("preview.png");
    ASSERT_EQ(Sheets({"--seed", "9", "--preview", "-o", preview}).code, kExitComplete);
    EXPECT_EQ(QImage(preview).size(), QSize(320, 441));
}

TEST(SheetsCommand, BinaryPrintsTheSeedItChose)
{
    const ProgramOutput chosen = Binary({"--json"});
    EXPECT_EQ(chosen.code, 0);
    const QJsonArray sets = QJsonDocument::fromJson(chosen.out.toUtf8()).array();
    ASSERT_EQ(sets.size(), 1);
    const QString seed = QString::number(sets[0].toObject()["seed"].toInteger());
    EXPECT_TRUE(chosen.err.contains(seed)) << chosen.err.toStdString();
    // The same seed makes the same sheet again.
    EXPECT_EQ(QJsonDocument::fromJson(Binary({"--json", "--seed", seed}).out.toUtf8()).array(), sets);
}

// The program maps the sheet's font names to the Japanese faces itself: no
// glyph may fall back to a Latin face.
TEST(SheetsCommand, BinaryDrawsWithTheJapaneseFacesOnly)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sheet.pdf");
    ASSERT_EQ(Binary({"--seed", "2", "--answers", "with", "-o", pdf}).code, 0);
    const QStringList lines = RunProgram("pdffonts", {pdf}).out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString();  // two header lines, two faces
    EXPECT_TRUE(lines[2].startsWith("IPA"));
    EXPECT_TRUE(lines[3].startsWith("IPA"));
}

// Every spelling of -o that the parser accepts reaches the same file, and
// file output needs no display whatever platform the environment names.
TEST(SheetsCommand, BinaryWritesFilesForEverySpellingOfOutputWithoutADisplay)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("s.pdf");
    const QStringList noDisplay{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb"};
    const QString png = dir.filePath("p.png");
    const std::pair<QStringList, QStringList> rows[] = {
        {{"-o=" + pdf}, {}},     {{"-o" + pdf}, {}},       {{"--output=" + pdf}, {}},
        {{"--output", pdf}, {}}, {{"-o", pdf}, noDisplay},
    };
    for (const auto& [output, environment] : rows) {
        QFile::remove(pdf);
        const ProgramOutput o = Binary(QStringList{"--seed", "3"} + output, environment);
        EXPECT_EQ(o.code, kExitComplete) << output.join(' ').toStdString() << o.err.toStdString();
        EXPECT_EQ(o.out.count('\n'), 16) << output.join(' ').toStdString();
        EXPECT_TRUE(RunProgram("pdfinfo", {pdf}).out.contains(QRegularExpression("(?m)^Pages: +1$")))
            << output.join(' ').toStdString();
    }
    EXPECT_EQ(Binary({"--seed", "3", "--preview", "-o", png}, noDisplay).code, kExitComplete);
    EXPECT_EQ(QImage(png).size(), QSize(320, 441));
}

// A device or FIFO named by -o is written to, never replaced; "-" is
// standard output, which then carries the sheets and nothing else.
TEST(SheetsCommand, SpecialTargetsAreWrittenAsStreams)
{
    QTemporaryDir dir;
    const QString node = dir.filePath("null");
    QProcess reader;  // drains the FIFO when no device can be made
    const bool device = mknod(qPrintable(node), S_IFCHR | 0666, makedev(1, 3)) == 0;
    if (!device) {
        ASSERT_EQ(mkfifo(qPrintable(node), 0600), 0);
        reader.start("cat", {node});
        ASSERT_TRUE(reader.waitForStarted());
    }
    const Outcome o = Sheets({"--seed", "1", "--answers", "with", "-o", node});
    EXPECT_EQ(o.code, kExitComplete) << o.err.toStdString();
    EXPECT_FALSE(QFileInfo(node).isFile());
    EXPECT_EQ(dir.path(), QFileInfo(node).path());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
              QStringList{"null"});  // no temporary file left beside it
    if (!device) {
        ASSERT_TRUE(reader.waitForFinished(30000));
        EXPECT_TRUE(reader.readAllStandardOutput().startsWith("%PDF-"));
    }

    const Outcome pdf = Sheets({"--seed", "1", "--sheets", "2", "-o", "-"});
    EXPECT_EQ(pdf.code, kExitComplete);
    EXPECT_TRUE(pdf.bytes.startsWith("%PDF-") && pdf.bytes.trimmed().endsWith("%%EOF"));
    EXPECT_FALSE(pdf.bytes.contains("問題No."));
    const Outcome png = Sheets({"--seed", "1", "-o", "-", "--format", "png", "--dpi", "20"});
    EXPECT_EQ(png.code, kExitComplete);
    EXPECT_EQ(QImage::fromData(png.bytes, "PNG").size(), QSize(165, 234));
}

// A shell command in a fresh folder, the program as $S, without XDG_RUNTIME_DIR (Qt
// would remark on it); what it wrote to stdout and stderr, and what it left there.
struct ShellOutcome {
    int code;
    QString out, err;
    QStringList left;  // in the folder, hidden ones included
};

ShellOutcome Shell(const QString& command)
{
    QTemporaryDir dir;
    const ProgramOutput o = RunProgram("env",
                                       {"-u", "XDG_RUNTIME_DIR", "-C", dir.path(),
                                        QString("S=") + TAVRIMO_SHEETS_BINARY, "sh", "-c", command},
                                       120000);
    return {
        o.code, o.out, o.err,
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)};
}

// Each PNG page is closed once written: a run of more pages than the process
// may hold open files completes, and leaves no temporary file.
TEST(SheetsCommand, BinaryWritesMorePngPagesThanOpenFilesAllowed)
{
    const ShellOutcome o = Shell("ulimit -n 40 && \"$S\" --seed 1 --sheets 60 --dpi 10 -o s.png");
    EXPECT_EQ(o.code, kExitComplete) << o.err.toStdString();
    EXPECT_EQ(o.left.size(), 60);
    EXPECT_TRUE(o.left.contains("s-60.png"));
}

// stderr holds the program's own messages only: nothing from Qt or libpng in a normal run
// or a failing one; no run but --print looks for the spooler, which does not answer here. A
// name that is not UTF-8 is refused rather than written under another name; a file that cannot
// be written whole (past `ulimit -f` KiB), or standard output, says why in the system's words,
// whatever was to be written; a missing printer is found before any file is written.
TEST(SheetsCommand, BinaryStderrHoldsItsOwnMessagesOnly)
{
    const QString tooLarge = "ファイル s.%1 を書き込めません（File too large）\n",
                  full = "標準出力に書き込めません（No space left on device）\n",
                  notUtf8 =
                      "引数 'x\\xff\\xfe.pdf' は UTF-8 の文字列ではありません（ファイル名などは UTF-8 "
                      "で指定してください）\n";
    // Arguments after --seed 1, the file size limit in KiB (0: none), exit code, stderr, files left.
    const std::tuple<QString, int, int, QString, QStringList> rows[] = {
        {"--json", 0, 0, "", {}},
        {"--answers with -o s.pdf", 0, 0, "", {"s.pdf"}},
        {"--dpi 10 -o s.png", 0, 0, "", {"s.png"}},
        {"--preview -o s.png", 0, 0, "", {"s.png"}},
        {"-o \"$(printf 'x\\377\\376.pdf')\"", 0, 2, notUtf8, {}},
        {"--sheets 8 -o s.pdf", 4, 2, tooLarge.arg("pdf"), {}},
        {"--sheets 8 -o s.pdf", 16, 2, tooLarge.arg("pdf"), {}},
        {"--sheets 8 -o s.png", 16, 2, tooLarge.arg("png"), {}},
        {">/dev/full", 0, 2, full, {}},
        {"--json >/dev/full", 0, 2, full, {}},
        {"--help >/dev/full", 0, 2, full, {}},
        {"--sheets 100 --json >/dev/full", 0, 2, full, {}},
        {"-o - >/dev/full", 0, 2, full, {}},
        {"--print -o s.pdf", 0, 2, "印刷スプーラ（CUPS）に接続できません.\n", {}},
    };
    for (const auto& [arguments, kib, code, err, left] : rows) {
        const ShellOutcome o =
            Shell(QString("trap '' XFSZ; ulimit -f %1; CUPS_SERVER=\"$PWD/no-cupsd.sock\" \"$S\" --seed 1 %2")
                      .arg(kib > 0 ? QString::number(kib) : "unlimited", arguments));
        EXPECT_EQ(o.code, code) << arguments.toStdString() << kib;
        EXPECT_EQ(o.err, err) << arguments.toStdString() << kib;
        EXPECT_EQ(o.left, left) << arguments.toStdString() << kib;
    }
}

// With standard output on the terminal that stderr is on, the counts would mix into the
// sets: no progress then. Elsewhere it shows, so the run is long enough to show it.
TEST(SheetsCommand, BinaryShowsNoProgressOnTheTerminalOfItsOutput)
{
    if (QStandardPaths::findExecutable("script").isEmpty()) GTEST_SKIP() << "no script (bsdutils)";
    for (const auto& [redirect, progress] : {std::pair{"", false}, {" >/dev/null", true}}) {
        const QString run = QString(R"("$S" --seed 1 --sheets 1500 -o /dev/null%1)").arg(redirect);
        const ShellOutcome o = Shell("script -qec '" + run + "' /dev/null");
        EXPECT_EQ(o.code, 0) << o.err.toStdString();
        EXPECT_EQ(o.out.contains("作成中"), progress) << redirect;
    }
}

// Ctrl-C, SIGTERM or SIGHUP during a long file run: the pages written so far go with
// their temporary folder or file, and the program ends by the signal.
TEST(SheetsCommand, BinaryStoppedBySignalLeavesNothing)
{
    for (const auto& [signal, output] : {std::pair{SIGINT, "keep.png"},
                                         {SIGTERM, "keep.png"},
                                         {SIGHUP, "keep.png"},
                                         {SIGTERM, "keep.pdf"}}) {
        QTemporaryDir dir;
        QProcess p;
        p.setChildProcessModifier([] {  // what a background test runner ignores would stay ignored
            for (const int s : {SIGINT, SIGTERM, SIGHUP}) std::signal(s, SIG_DFL);
        });
        p.setWorkingDirectory(dir.path());
        p.start(TAVRIMO_SHEETS_BINARY, {"--seed", "1", "--sheets", "10000", "--dpi", "10", "-o", output});
        // Sets go to stdout once their pages are written: wait for a few.
        QByteArray out;
        while (out.count("問題No.") < 5 && p.waitForReadyRead(30000)) out += p.readAllStandardOutput();
        ASSERT_GE(out.count("問題No."), 5);
        kill(static_cast<pid_t>(p.processId()), signal);
        ASSERT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << signal << output;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList())
            << signal << output;
    }
}

TEST(Progress, ShowsOnATerminalOnlyAndEndsItsLine)
{
    struct Row {
        bool terminal;
        std::chrono::milliseconds showAfter;
        const char* shown;
    };
    for (const Row& r :
         {Row{true, std::chrono::milliseconds(0), "\r作成中 1/3 枚"},
          Row{false, std::chrono::milliseconds(0), ""}, Row{true, std::chrono::hours(1), ""}}) {
        QString text;
        QTextStream err(&text);
        Progress progress(err, 3, r.terminal, r.showAfter);
        for (int done = 1; done <= 3; ++done) progress.Update(done);
        progress.Finish();
        err.flush();
        // When shown, the first and the last count are always drawn, then the line is ended.
        const bool shown = *r.shown != 0;
        EXPECT_EQ(text.startsWith(QString::fromUtf8(r.shown)) && text.endsWith("\r作成中 3/3 枚\n"), shown)
            << text.toStdString();
        EXPECT_EQ(text.isEmpty(), !shown) << text.toStdString();
    }
}

}  // namespace
}  // namespace tavrimo
