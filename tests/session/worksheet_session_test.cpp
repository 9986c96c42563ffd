#include "session/worksheet_session.h"

#include <gtest/gtest.h>

#include "problems/problem_set_support.h"
#include "render/sheet_layout.h"
#include "session/print_sequence.h"
#include "session/recording_printer.h"

namespace tavrimo {
namespace {

using testing::CanvasCall;
using testing::RecordingCanvas;
using testing::RecordingPrinter;
using Calls = std::vector<CanvasCall>;

constexpr std::string_view kQuestion = "答えを書きましょう。";
const SheetLook kLook{std::string(kQuestion)};

// The calls DrawSheet makes for a sheet, on a copy (the answers are written into it).
Calls Drawing(Sheet sheet, std::int32_t width, std::int32_t height)
{
    RecordingCanvas canvas;
    DrawSheet(canvas, width, height, sheet);
    return canvas.calls();
}

Calls Preview(WorksheetSession& session)
{
    RecordingCanvas canvas;
    session.PaintPreview(canvas, kLook);
    return canvas.calls();
}

TEST(WorksheetSession, PreviewOutcomes)
{
    using enum AssemblyStatus;
    struct Row {
        const char* name;
        bool previewFirst;
        AssemblyStatus status;
        bool ready;  // the preview is drawn and printing allowed
        std::string message;
        SettingsBoxes boxes = {};
    };
    using test::TwoProblemsOnly;
    SettingsBoxes threeOnly = TwoProblemsOnly();
    threeOnly.edtBunbof2 = threeOnly.edtBunbob2 = "4", threeOnly.rgAnswer = 1;  // reducible: three problems
    const SettingsBoxes noFractions{
        .edtBunbof1 = "0", .edtBunbof2 = "0", .edtBunbob1 = "0", .edtBunbob2 = "0"};
    const Row rows[] = {
        {"defaults", false, Complete, true, ""},
        {"two problems only", false, Short, false, kShortSetWarning, TwoProblemsOnly()},
        {"short after a full set stays ready", true, Short, true, kShortSetWarning, TwoProblemsOnly()},
        {"none at all", false, Short, false, kShortSetWarning, noFractions},
        {"three problems are enough to preview", false, Short, true, kShortSetWarning, threeOnly},
        // No control holds item 2: 24 problems would not fit the table.
        {"an item no group has", false, Refused, false, "問題数に項目「2」はありません.", {.rgQNum = 2}},
        {"a box without an integer", false, Refused, false, "'x' は整数ではありません.", {.edtIntb1 = "x"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        WorksheetSession session(42);
        // Nothing to paint before the first preview.
        ASSERT_TRUE(Preview(session).empty() && !session.PreviewReady() && session.QuestionCount() == 0);
        if (r.previewFirst) {
            ASSERT_TRUE(session.Preview({}).previewReady);
        }
        const PreviewOutcome outcome = session.Preview(r.boxes);
        EXPECT_EQ(outcome.status, r.status);
        EXPECT_EQ(outcome.message, r.message);
        EXPECT_EQ(session.PreviewReady(), r.ready);
        EXPECT_EQ(outcome.previewReady, session.QuestionCount() > 2);
        // Once ready, the box shows the table as it is now, short or not.
        Sheet shown{session.table(), session.QuestionCount(), session.PrintNumber(), true,
                    std::string(kQuestion)};
        const bool drawn = r.ready && session.QuestionCount() > 0;
        EXPECT_EQ(Preview(session), drawn ? Drawing(shown, 320, 441) : Calls());
        EXPECT_FALSE(session.ShowAnswers());
    }
}

// Each command prints its sheets under the number typed, a class set's under that number and
// the ones after it, in as few jobs as their order allows; the command then raises the number past
// them, and again prints the same sets under the next numbers.
TEST(WorksheetSession, PrintCommandsPrintTheirSheetsAndAdvanceTheNumber)
{
    using enum PrintCommand;
    struct Row {
        const char* name;
        int sets;
        bool stacks;
        PrintCommand command;
        std::vector<std::vector<std::pair<int, bool>>> jobs;  // each page's number and whether it answers
    };
    const Row rows[] = {
        {"印刷", 1, false, Problems, {{{12, false}}}},
        {"印刷（答えつき）", 1, false, ProblemsAndAnswers, {{{12, false}}, {{12, true}}}},
        {"印刷（答えのみ）", 1, false, Answers, {{{12, true}}}},
        {"class set, sheet by sheet",
         3,
         false,
         ProblemsAndAnswers,
         {{{12, false}, {12, true}, {13, false}, {13, true}, {14, false}, {14, true}}}},
        {"class set in stacks",
         3,
         true,
         ProblemsAndAnswers,
         {{{12, false}, {13, false}, {14, false}}, {{12, true}, {13, true}, {14, true}}}},
        {"class set, answers only", 3, true, Answers, {{{12, true}, {13, true}, {14, true}}}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        WorksheetSession session(9);
        ASSERT_EQ(session.Preview({.sheets = r.sets}).status, AssemblyStatus::Complete);
        std::vector<ProblemTable> tables;
        for (int k = 0; k < r.sets; ++k) session.ShowSet(k), tables.push_back(session.AnsweredTable());
        const ProblemTable before = session.table();
        SheetLook look = kLook;
        look.Stacks = r.stacks;
        for (int round = 0; round < 2; ++round) {
            RecordingPrinter printer;
            const int first = 12 + r.sets * round;
            ASSERT_TRUE(session.Print(r.command, std::to_string(first), look, printer).printed);
            std::vector<std::string> log{"SetPortrait", "PageHeight", "PageWidth"};
            ASSERT_EQ(printer.jobs.size(), r.jobs.size());
            for (std::size_t j = 0; j < r.jobs.size(); ++j) {
                const auto& pages = r.jobs[j];
                const PrintJob& job = printer.jobs[j].job;
                EXPECT_EQ(job.title, kDocumentTitle);
                EXPECT_EQ(std::pair(job.sheetNumber, job.answerSheet),
                          std::pair(pages[0].first + r.sets * round, pages[0].second))
                    << j;
                ASSERT_EQ(printer.jobs[j].pages.size(), pages.size());
                log.push_back("BeginJob");
                for (std::size_t p = 0; p < pages.size(); ++p) {
                    if (p > 0) log.push_back("NewPage");
                    const auto [number, answers] = pages[p];
                    Sheet expected{tables[static_cast<std::size_t>(number - 12)], 16, number + r.sets * round,
                                   answers, std::string(kQuestion)};
                    EXPECT_EQ(printer.jobs[j].pages[p].calls(), Drawing(expected, 2480, 3508))
                        << j << ' ' << p;
                }
                log.push_back("EndJob");
            }
            EXPECT_EQ(printer.log, log);
            EXPECT_EQ(session.PrintNumber(), first + r.sets);
        }
        // Printing draws copies: the session's answer column is untouched.
        EXPECT_EQ(session.table().Answer, before.Answer);
    }
}

TEST(WorksheetSession, AFailedPrintCommandKeepsTheNumberItRead)
{
    using enum PrinterFault;
    struct Row {
        const char* name;
        std::string number;
        PrinterFault portrait, begin, end;
        std::int32_t numberAfter;
        std::size_t printerCalls;
        std::string message;
        PrinterFaultDetail detail = {};
        PrintCommand command = PrintCommand::ProblemsAndAnswers;
    };
    const std::string notAccepting = "Destination \"q\" is not accepting jobs.";
    const PrinterFaultDetail full{"/home/t/s-4.pdf", "No space left on device"}, refused{"q", notAccepting},
        stopped{"q", "停止しています"}, gone{"/home/t", ""};
    const Row rows[] = {
        {"no such command", "4", None, None, None, 1, 0, "印刷の指示「7」はありません.", {}, PrintCommand{7}},
        {"no integer", "7x", None, None, None, 1, 0, "'7x' は整数ではありません."},
        {"no printer", "4", NoDefaultPrinter, None, None, 4, 1, "デフォルト プリンタが存在しません."},
        {"busy", "4", None, AlreadyPrinting, None, 4, 4, "現在印刷中です."},
        {"not handed over", "4", None, None, NotReady, 4, 5, "プリンタに印刷できる状態ではありません."},
        {"fixed messages name nothing", "4", None, None, NotReady, 4, 5,
         "プリンタに印刷できる状態ではありません.", full},
        {"refused by the spooler", "4", None, None, Refused, 4, 5,
         "プリンタ「q」が印刷を受け付けません（" + notAccepting + "）.", refused},
        {"stopped printer", "4", Refused, None, None, 4, 1,
         "プリンタ「q」が印刷を受け付けません（停止しています）.", stopped},
        {"full disk", "4", None, None, FileNotWritten, 4, 5,
         "ファイル /home/t/s-4.pdf を書き込めません（No space left on device）.", full},
        {"folder gone", "4", None, FolderMissing, None, 4, 4, "保存先のフォルダ /home/t がありません.", gone},
        {"refused, nothing named", "4", None, None, Refused, 4, 5, "プリンタが印刷を受け付けません."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        WorksheetSession session(7);
        session.Preview({});
        RecordingPrinter printer;
        std::tie(printer.portraitFault, printer.beginFault, printer.endFault, printer.detail) =
            std::tie(r.portrait, r.begin, r.end, r.detail);
        const PrintOutcome outcome = session.Print(r.command, r.number, kLook, printer);
        EXPECT_FALSE(outcome.printed);
        EXPECT_EQ(outcome.message, r.message);
        EXPECT_EQ(session.PrintNumber(), r.numberAfter);
        EXPECT_EQ(printer.log.size(), r.printerCalls);
    }
}

// A class set: K sets at once, as K clicks would make them; the preview shows the one chosen.
TEST(WorksheetSession, AClassSetIsMadeAsClicksWould)
{
    WorksheetSession classSet(9), clicks(9);
    ASSERT_EQ(classSet.Preview({.sheets = 3}).status, AssemblyStatus::Complete);
    ASSERT_EQ(classSet.SetCount(), 3);
    std::vector<ProblemTable> tables;
    for (int k = 0; k < 3; ++k) {
        clicks.Preview({});
        classSet.ShowSet(k);
        EXPECT_EQ(classSet.AnsweredTable().Minuend, clicks.AnsweredTable().Minuend);
        tables.push_back(classSet.AnsweredTable());
    }
    EXPECT_NE(tables[0].Minuend, tables[1].Minuend);
    EXPECT_EQ(classSet.source().seed(), clicks.source().seed());
    // The preview shows the set chosen, under its own number.
    classSet.ShowSet(1);
    const Calls second = Preview(classSet);
    classSet.ShowSet(0);
    EXPECT_NE(Preview(classSet), second);
    EXPECT_EQ(second[11].text, "問題No.2");
}

TEST(WorksheetSession, TheNumberWrapsAndIsReadAtStart)
{
    WorksheetSession session;
    session.ReadPrintNumber("$7FFFFFFF");
    EXPECT_EQ(session.PrintNumber(), INT32_MAX);
    session.ReadPrintNumber("x");  // not an integer: kept
    EXPECT_EQ(session.PrintNumber(), INT32_MAX);
    session.AdvancePrintNumber();
    EXPECT_EQ(session.PrintNumber(), INT32_MIN);
}

TEST(WorksheetSession, SheetsForACommandCarryTheCurrentNumberAndSentence)
{
    WorksheetSession session(3);
    session.Preview({});
    const std::vector<Sheet> sheets = session.SheetsFor(PrintCommand::ProblemsAndAnswers, kLook);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_FALSE(sheets[0].ShowAnswers);
    EXPECT_TRUE(sheets[1].ShowAnswers);
    for (const Sheet& s : sheets) {
        EXPECT_EQ(s.QuestionText, kQuestion);
        EXPECT_EQ(s.PrintNumber, 1);
        EXPECT_EQ(s.QuestionCount, 16);
        EXPECT_EQ(s.table.Minuend, session.table().Minuend);
    }
}

}  // namespace
}  // namespace tavrimo
