#include "cli/sheets_command.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "problems/problem_text.h"

namespace tavrimo {
namespace {

struct Outcome {
    int code;
    QString out, err;
};

Outcome Sheets(QStringList args)
{
    args.prepend("tavrimo-sheets");
    Outcome r;
    QTextStream out(&r.out), err(&r.err);
    r.code = RunSheetsCommand(args, out, err);
    out.flush();
    err.flush();
    return r;
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
        {{"--seed", "1", "--whole-a-to", "x"}, kExitBadInput, "'x' は整数ではありません."},
        {{"--seed", "1", "--den-a-from", "1"}, kExitBadInput, "0又は2から99までの数"},
        {{"--seed", "1", "--whole-b-from", "-5"}, kExitBadInput, "0から99までの数"},
        {{"--seed", "1", "--number", " 7 "}, kExitBadInput, "は整数ではありません"},
        {{"--seed", "4294967296"}, kExitBadInput, "--seed"},
        {{"--seed", "-1"}, kExitBadInput, "--seed"},
        {{"--answer-kind", "6"}, kExitBadInput, "--answer-kind"},
        {{"--count", "18"}, kExitBadInput, "--count"},
        {{"--sheets", "0"}, kExitBadInput, "--sheets"},
        {{"--no-such-option"}, kExitBadInput, "no-such-option"},
        {{"--seed", "1", "--answer-kind", "3"},
         kExitShort,
         "今の条件では、指定された問題数が確保できません。"},
    };
    for (const Row& r : rows) {
        const Outcome run = Sheets(r.args);
        EXPECT_EQ(run.code, r.code) << r.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.err))) << run.err.toStdString();
        if (r.code == kExitBadInput) EXPECT_TRUE(run.out.isEmpty()) << r.args.join(' ').toStdString();
    }
}

TEST(SheetsCommand, JsonShapeAndConsecutiveSheets)
{
    const Outcome r = Sheets({"--seed", "42", "--number", "7", "--sheets", "3", "--count", "20", "--json"});
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
        if (k > 0) EXPECT_EQ(s["seed"], sets[k - 1].toObject()["next_seed"]);
    }
    EXPECT_EQ(sets[0].toObject()["seed"].toInteger(), 42);
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
}

TEST(SheetsCommand, BDenominatorsFollowA)
{
    const Outcome follow =
        Sheets({"--seed", "3", "--den-a-from", "5", "--den-a-to", "5", "--common-denominator", "--json"});
    EXPECT_EQ(follow.code, kExitShort);  // 5..5 with 5..5 admits no common multiple
    const Outcome own = Sheets({"--seed", "3", "--den-a-from", "5", "--den-a-to", "5", "--den-b-from", "2",
                                "--den-b-to", "10", "--common-denominator", "--json"});
    EXPECT_EQ(own.code, kExitComplete);
}

int PdfPages(const QString& path)
{
    QProcess p;
    p.start("pdfinfo", {path});
    p.waitForFinished(30000);
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    }
    return -1;
}

TEST(SheetsCommand, WritesThePagesThePrintButtonsWould)
{
    QTemporaryDir dir;
    struct Row {
        const char* answers;
        int sheets;
        int pages;
    };
    for (const Row& r : {Row{"no", 1, 1}, Row{"with", 1, 2}, Row{"only", 3, 3}, Row{"with", 2, 4}}) {
        const QString pdf = dir.filePath(QString("%1-%2.pdf").arg(r.answers).arg(r.sheets));
        const Outcome o =
            Sheets({"--seed", "9", "--sheets", QString::number(r.sheets), "--answers", r.answers, "-o", pdf});
        EXPECT_EQ(o.code, kExitComplete) << o.err.toStdString();
        EXPECT_EQ(PdfPages(pdf), r.pages) << r.answers;
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

TEST(SheetsCommand, AnUnwritablePathIsABadInputAndLeavesNoFile)
{
    const Outcome o = Sheets({"--seed", "9", "-o", "/nonexistent-folder/x.pdf"});
    EXPECT_EQ(o.code, kExitBadInput);
    EXPECT_TRUE(o.err.contains("/nonexistent-folder/x.pdf")) << o.err.toStdString();
    EXPECT_TRUE(o.out.isEmpty());
    EXPECT_EQ(Sheets({"--seed", "9", "--preview"}).code, kExitBadInput);  // no file named
    EXPECT_EQ(Sheets({"--seed", "9", "--answers", "both", "-o", "x.pdf"}).code, kExitBadInput);
}

TEST(SheetsCommand, BinaryPrintsTheSeedItChose)
{
    QProcess p;
    p.start(TAVRIMO_SHEETS_BINARY, {"--json"});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    const QString err = QString::fromUtf8(p.readAllStandardError());
    const QJsonArray sets = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    ASSERT_EQ(sets.size(), 1);
    EXPECT_TRUE(err.contains(QString::number(sets[0].toObject()["seed"].toInteger()))) << err.toStdString();

    // The same seed makes the same sheet again.
    QProcess again;
    again.start(TAVRIMO_SHEETS_BINARY,
                {"--json", "--seed", QString::number(sets[0].toObject()["seed"].toInteger())});
    ASSERT_TRUE(again.waitForFinished(30000));
    EXPECT_EQ(QJsonDocument::fromJson(again.readAllStandardOutput()).array(), sets);
}

}  // namespace
}  // namespace tavrimo

namespace tavrimo {
namespace {

// The program maps the sheet's font names to the Japanese faces itself: no
// glyph may fall back to a Latin face.
TEST(SheetsCommand, BinaryDrawsWithTheJapaneseFacesOnly)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("sheet.pdf");
    QProcess p;
    p.start(TAVRIMO_SHEETS_BINARY, {"--seed", "2", "--answers", "with", "-o", pdf});
    ASSERT_TRUE(p.waitForFinished(30000));
    ASSERT_EQ(p.exitCode(), 0);
    QProcess fonts;
    fonts.start("pdffonts", {pdf});
    ASSERT_TRUE(fonts.waitForFinished(30000));
    const QStringList lines =
        QString::fromUtf8(fonts.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4) << lines.join('\n').toStdString();  // two header lines, two faces
    EXPECT_TRUE(lines[2].startsWith("IPA"));
    EXPECT_TRUE(lines[3].startsWith("IPA"));
}

}  // namespace
}  // namespace tavrimo
