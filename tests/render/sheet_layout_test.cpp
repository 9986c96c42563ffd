// Whole sheets on the recording canvas: 7 units per ASCII character, 14 per
// other character, text height = font height.
#include "render/sheet_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "recording_canvas.h"
#include "render_test_support.h"

namespace tavrimo {
namespace {

using testing::CanvasCall;
using testing::CanvasOp;
using testing::FindTextOut;
using testing::MinuendText;
using testing::NumberedTable;
using testing::RecordingCanvas;

constexpr std::string_view kQuestion = "つぎの計算をしましょう。";
constexpr std::size_t kHeaderCalls = 17;

std::string NameBox()
{
    std::string text = "（";
    for (int i = 0; i < 11; ++i) text += "　";
    return text + "）";
}

SheetView View(std::int32_t questionCount, bool showAnswers = false, std::int32_t printNumber = 1)
{
    return {.QuestionCount = questionCount,
            .PrintNumber = printNumber,
            .ShowAnswers = showAnswers,
            .QuestionText = kQuestion};
}

std::vector<CanvasCall> Draw(std::int32_t width, std::int32_t height, ProblemTable& table,
                             const SheetView& view)
{
    RecordingCanvas canvas;
    DrawSheet(canvas, width, height, table, view);
    return canvas.calls();
}

TEST(DrawSheet, PreviewOfOneRowIsExactlyThisSequence)
{
    ProblemTable table;
    table.Minuend[1] = {3, 2, 15};
    table.Subtrahend[1] = {1, 1, 3};  // 3 2/15 - 1 5/15 = 1 12/15 = 1 4/5
    table.Minuend[2] = {5, 0, 0};
    table.Subtrahend[2] = {0, 1, 2};  // 5 - 1/2 = 4 1/2

    using C = CanvasCall;
    const std::vector<CanvasCall> expected{
        // Background, then black pen and no text background.
        C::Brush(BrushStyle::Solid),
        C::BrushColor(kWhite),
        C::PenColor(kWhite),
        C::Rect(0, 0, 319, 440),
        C::PenColor(kBlack),
        C::Brush(BrushStyle::Clear),
        // Header.
        C::FontName("ＭＳ ゴシック"),
        C::FontHeight(6),
        C::Text(14, 10, "分数の引き算"),
        C::FontName("ＭＳ 明朝"),
        C::FontHeight(6),
        C::Text(64, 10, "問題No.1"),
        C::FontHeight(14),
        C::Text(140, 20, NameBox()),
        C::FontHeight(10),
        C::Text(14, 40, kQuestion),
        C::FontHeight(13),
        // Problem 1 at (23, 70): 3 2/15.
        C::Width("3", 7),
        C::Width("2", 7),
        C::Width("15", 14),
        C::Height("3", 13),
        C::Text(23, 70, "3"),
        C::Text(34, 64, "2"),
        C::PenWidth(2),
        C::Move(30, 76),
        C::Line(44, 76),
        C::PenWidth(1),
        C::Text(30, 77, "15"),
        C::PenColor(kBlack),
        C::Text(44, 70, " - "),
        C::Width(" - ", 21),
        // 1 1/3 at 65.
        C::Width("1", 7),
        C::Width("1", 7),
        C::Width("3", 7),
        C::Height("1", 13),
        C::Text(65, 70, "1"),
        C::Text(72, 64, "1"),
        C::PenWidth(2),
        C::Move(72, 76),
        C::Line(79, 76),
        C::PenWidth(1),
        C::Text(72, 77, "3"),
        C::PenColor(kBlack),
        C::Text(79, 70, " = "),
        C::Width(" = ", 21),
        // The answer 1 4/5 at 100.
        C::Width("1", 7),
        C::Width("4", 7),
        C::Width("5", 7),
        C::Height("1", 13),
        C::Text(100, 70, "1"),
        C::Text(107, 64, "4"),
        C::PenWidth(2),
        C::Move(107, 76),
        C::Line(114, 76),
        C::PenWidth(1),
        C::Text(107, 77, "5"),
        // Problem 2 at (175, 70): 5 has no fraction part.
        C::Width("5", 7),
        C::Width("0", 7),
        C::Width("0", 7),
        C::Height("5", 13),
        C::Text(175, 70, "5"),
        C::PenColor(kBlack),
        C::Text(182, 70, " - "),
        C::Width(" - ", 21),
        // 0 1/2 at 203 shows only its fraction.
        C::Width("0", 7),
        C::Width("1", 7),
        C::Width("2", 7),
        C::Height("0", 13),
        C::Text(203, 64, "1"),
        C::PenWidth(2),
        C::Move(203, 76),
        C::Line(210, 76),
        C::PenWidth(1),
        C::Text(203, 77, "2"),
        C::PenColor(kBlack),
        C::Text(210, 70, " = "),
        C::Width(" = ", 21),
        // The answer 4 1/2 at 231.
        C::Width("4", 7),
        C::Width("1", 7),
        C::Width("2", 7),
        C::Height("4", 13),
        C::Text(231, 70, "4"),
        C::Text(238, 64, "1"),
        C::PenWidth(2),
        C::Move(238, 76),
        C::Line(245, 76),
        C::PenWidth(1),
        C::Text(238, 77, "2"),
    };
    EXPECT_EQ(Draw(320, 441, table, View(2, true)), expected);
    EXPECT_EQ(table.Answer[1], (MixedNumber{1, 4, 5}));
    EXPECT_EQ(table.Answer[2], (MixedNumber{4, 1, 2}));
}

struct HeaderCase {
    const char* name;
    std::int32_t width, height;
    std::int32_t right, bottom;  // background corner
    std::int32_t titleHeight, titleX, titleY;
    std::int32_t numberX, numberY;  // the sheet number shares the title's height
    std::int32_t boxHeight, boxX, boxY;
    std::int32_t questionHeight, questionX, questionY;
    std::int32_t problemHeight;
};

TEST(DrawSheet, HeaderIsScaledToTheTarget)
{
    const HeaderCase cases[] = {
        {"preview", 320, 441, 319, 440, 6, 14, 10, 64, 10, 14, 140, 20, 10, 14, 40, 13},
        {"page 4960 x 7016, scale 15.5", 4960, 7016, 4944, 6820, 93, 217, 155, 992, 155, 217, 2170, 310, 155,
         217, 620, 202},
        {"width 0 draws at reference size", 0, 99999, 319, 440, 6, 14, 10, 64, 10, 14, 140, 20, 10, 14, 40,
         13},
        {"negative width draws at reference size", -5, -5, 319, 440, 6, 14, 10, 64, 10, 14, 140, 20, 10, 14,
         40, 13},
        // Scale 10/441: every height rounds to 0 and is raised to 1.
        {"tiny target keeps fonts 1 high", 10, 10, 7, 10, 1, 0, 0, 1, 0, 1, 3, 0, 1, 0, 1, 1},
        // Scale -1: positions mirror, heights are raised to 1.
        {"negative height", 320, -441, -319, -440, 1, -14, -10, -64, -10, 1, -140, -20, 1, -14, -40, 1},
        // Scale 4869577.5.
        {"largest target", INT32_MAX, INT32_MAX, 1553395222, 2142614100, 29217465, 68174085, 48695775,
         311652960, 48695775, 68174085, 681740850, 97391550, 48695775, 68174085, 194783100, 63304508},
    };
    for (const HeaderCase& c : cases) {
        ProblemTable table;
        using C = CanvasCall;
        const std::vector<CanvasCall> expected{
            C::Brush(BrushStyle::Solid),
            C::BrushColor(kWhite),
            C::PenColor(kWhite),
            C::Rect(0, 0, c.right, c.bottom),
            C::PenColor(kBlack),
            C::Brush(BrushStyle::Clear),
            C::FontName("ＭＳ ゴシック"),
            C::FontHeight(c.titleHeight),
            C::Text(c.titleX, c.titleY, "分数の引き算"),
            C::FontName("ＭＳ 明朝"),
            C::FontHeight(c.titleHeight),
            C::Text(c.numberX, c.numberY, "問題No.1"),
            C::FontHeight(c.boxHeight),
            C::Text(c.boxX, c.boxY, NameBox()),
            C::FontHeight(c.questionHeight),
            C::Text(c.questionX, c.questionY, kQuestion),
            C::FontHeight(c.problemHeight),
        };
        EXPECT_EQ(Draw(c.width, c.height, table, View(0)), expected) << c.name;
    }
}

TEST(DrawSheet, NameBoxIsElevenIdeographicSpacesInFullWidthParentheses)
{
    ProblemTable table;
    const std::vector<CanvasCall> calls = Draw(320, 441, table, View(0));
    const auto box = std::find_if(calls.begin(), calls.end(), [](const CanvasCall& call) {
        return call.op == CanvasOp::TextOut && call.x == 140 && call.y == 20;
    });
    ASSERT_NE(box, calls.end());
    std::vector<char32_t> expected{0xFF08};
    expected.insert(expected.end(), 11, 0x3000);
    expected.push_back(0xFF09);
    EXPECT_EQ(testing::CodePoints(box->text), expected);
}

TEST(DrawSheet, SheetNumberIsTheLabelAndTheDecimalPrintNumber)
{
    struct NumberCase {
        std::int32_t printNumber;
        const char* text;
    };
    const NumberCase cases[] = {
        {1, "問題No.1"},
        {0, "問題No.0"},
        {123, "問題No.123"},
        {-5, "問題No.-5"},
        {INT32_MAX, "問題No.2147483647"},
        {INT32_MIN, "問題No.-2147483648"},
    };
    for (const NumberCase& c : cases) {
        ProblemTable table;
        const std::vector<CanvasCall> calls = Draw(320, 441, table, View(0, false, c.printNumber));
        ASSERT_EQ(calls.size(), kHeaderCalls);
        EXPECT_EQ(calls[11], CanvasCall::Text(64, 10, c.text)) << c.printNumber;
    }
}

TEST(DrawSheet, EmptyQuestionTextChangesNothingElse)
{
    ProblemTable table = NumberedTable();
    SheetView view = View(20, true);
    const std::vector<CanvasCall> withText = Draw(320, 441, table, view);
    view.QuestionText = "";
    const std::vector<CanvasCall> withoutText = Draw(320, 441, table, view);

    // The empty text still goes to the canvas, which draws nothing for it.
    ASSERT_EQ(withoutText.size(), withText.size());
    for (std::size_t i = 0; i < withText.size(); ++i) {
        if (i == 15) {
            EXPECT_EQ(withText[i], CanvasCall::Text(14, 40, kQuestion));
            EXPECT_EQ(withoutText[i], CanvasCall::Text(14, 40, ""));
        } else {
            EXPECT_EQ(withoutText[i], withText[i]) << "call " << i;
        }
    }
}

struct PositionCase {
    const char* name;
    std::int32_t width, height, questionCount;
    int problem;
    std::int32_t x, y;
};

TEST(DrawSheet, ProblemsStartOnTheGrid)
{
    const PositionCase cases[] = {
        // ColumnWidth 152, RowHeight 391/10 = 39.
        {"preview 20", 320, 441, 20, 1, 23, 70},
        {"preview 20", 320, 441, 20, 2, 175, 70},
        {"preview 20", 320, 441, 20, 3, 23, 109},
        {"preview 20", 320, 441, 20, 19, 23, 421},
        {"preview 20", 320, 441, 20, 20, 175, 421},
        // RowHeight 391/8 = 48.
        {"preview 16", 320, 441, 16, 3, 23, 118},
        {"preview 16", 320, 441, 16, 16, 175, 406},
        // ColumnWidth 2364, RowHeight 6241/10 = 624 and 6241/8 = 780.
        {"page 20", 4960, 7016, 20, 1, 356, 1085},
        {"page 20", 4960, 7016, 20, 2, 2720, 1085},
        {"page 20", 4960, 7016, 20, 3, 356, 1709},
        {"page 20", 4960, 7016, 20, 20, 2720, 6701},
        {"page 16", 4960, 7016, 16, 3, 356, 1865},
        // Reference size, ColumnWidth (0 - 15)/2 = -7, RowHeight 950/2 = 475.
        {"width 0", 0, 1000, 4, 2, 16, 70},
        {"width 0", 0, 1000, 4, 3, 23, 545},
        {"width 0", 0, 1000, 4, 4, 16, 545},
        // Three rows, RowHeight 391/3 = 130.
        {"odd count 7", 320, 441, 7, 5, 23, 330},
        {"odd count 7", 320, 441, 7, 6, 175, 330},
        // Rows are spaced for all 20 rows asked for, 391/20 = 19.
        {"count 40", 320, 441, 40, 20, 175, 241},
        // Scale -1: ColumnWidth (320 + 15)/2 = 167, RowHeight (-441 + 50)/10 = -39.
        {"negative height", 320, -441, 20, 2, 144, -70},
        {"negative height", 320, -441, 20, 3, -23, -109},
        // ColumnWidth (2147483647 - 73043662)/2, RowHeight 1904004772/10.
        {"largest target", INT32_MAX, INT32_MAX, 20, 2, 1149220274, 340870425},
        {"largest target", INT32_MAX, INT32_MAX, 20, 19, 112000282, 2054474718},
        // INT32_MIN - 15 wraps to 2147483633: ColumnWidth 1073741816.
        {"most negative width", INT32_MIN, 441, 2, 2, 1073741839, 70},
        // INT32_MIN - 50 wraps to 2147483598: RowHeight 214748359.
        {"most negative height", 0, INT32_MIN, 20, 19, 23, 1932735301},
    };
    for (const PositionCase& c : cases) {
        ProblemTable table = NumberedTable();
        const std::vector<CanvasCall> calls = Draw(c.width, c.height, table, View(c.questionCount));
        const auto start = FindTextOut(calls, MinuendText(c.problem));
        ASSERT_TRUE(start.has_value()) << c.name << ", problem " << c.problem;
        EXPECT_EQ(start->x, c.x) << c.name << ", problem " << c.problem;
        EXPECT_EQ(start->y, c.y) << c.name << ", problem " << c.problem;
    }
}

// The problems drawn, in drawing order, by their minuends' whole parts.
std::vector<int> DrawnProblems(const std::vector<CanvasCall>& calls)
{
    std::vector<int> drawn;
    for (int i = 1; i <= kMaxProblems; ++i) {
        const std::string text = MinuendText(i);
        for (const CanvasCall& call : calls) {
            if (call.op == CanvasOp::TextOut && call.text == text) drawn.push_back(i);
        }
    }
    return drawn;
}

TEST(DrawSheet, DrawsOnlyFullRowsAndOnlyTheTablesSlots)
{
    struct CountCase {
        std::int32_t questionCount;
        int drawn;  // problems 1..drawn, each once
    };
    const CountCase cases[] = {
        {0, 0},   {1, 0},   {2, 2},     {3, 2},          {7, 6},  {16, 16}, {19, 18},       {20, 20},
        {21, 20}, {40, 20}, {1000, 20}, {INT32_MAX, 20}, {-1, 0}, {-2, 0},  {INT32_MIN, 0},
    };
    for (const CountCase& c : cases) {
        ProblemTable table = NumberedTable();
        const std::vector<CanvasCall> calls = Draw(320, 441, table, View(c.questionCount));
        std::vector<int> expected;
        for (int i = 1; i <= c.drawn; ++i) expected.push_back(i);
        EXPECT_EQ(DrawnProblems(calls), expected) << "QuestionCount " << c.questionCount;
        if (c.drawn == 0) {
            // The header alone, ending with the problem font set.
            EXPECT_EQ(calls.size(), kHeaderCalls) << "QuestionCount " << c.questionCount;
            EXPECT_EQ(calls.back(), CanvasCall::FontHeight(13)) << "QuestionCount " << c.questionCount;
        }
    }
}

TEST(DrawSheet, WithoutAnswersLeavesTheAnswerColumnAlone)
{
    ProblemTable table = NumberedTable();
    for (auto& answer : table.Answer) answer = {-99, -98, -97};
    const ProblemTable before = table;

    const std::vector<CanvasCall> calls = Draw(320, 441, table, View(20, false));

    EXPECT_EQ(table.Answer, before.Answer);
    // Each problem ends with its " = ": 20 of them, the last one the last call.
    std::size_t equals = 0;
    for (const CanvasCall& call : calls) equals += call.op == CanvasOp::TextOut && call.text == " = ";
    EXPECT_EQ(equals, 20u);
    EXPECT_EQ(calls.back(), CanvasCall::Width(" = ", 21));
}

TEST(DrawSheet, ComputesEachAnswerJustBeforeDrawingIt)
{
    ProblemTable table = NumberedTable();
    for (auto& answer : table.Answer) answer = {-99, -98, -97};
    ProblemTable seen = table;

    // Where in the call sequence each Answer slot was found changed.
    std::vector<std::pair<int, std::size_t>> changes;
    RecordingCanvas canvas;
    canvas.beforeEachCall = [&](const CanvasCall&) {
        for (int i = 0; i <= kMaxProblems; ++i) {
            if (table.Answer[i] != seen.Answer[i]) changes.emplace_back(i, canvas.calls().size());
        }
        seen = table;
    };
    DrawSheet(canvas, 320, 441, table, View(6, true));
    const std::vector<CanvasCall>& calls = canvas.calls();

    // Problem i's answer changes between its " = " (text out, then width) and
    // the first measurement of the answer.
    std::vector<std::pair<int, std::size_t>> expected;
    int problem = 0;
    for (std::size_t k = 0; k < calls.size(); ++k) {
        if (calls[k].op == CanvasOp::TextOut && calls[k].text == " = ")
            expected.emplace_back(++problem, k + 2);
    }
    ASSERT_EQ(problem, 6);
    EXPECT_EQ(changes, expected);
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(table.Answer[i], (MixedNumber{100 + i, 1, 6})) << i;  // 1/2 - 1/3
    EXPECT_EQ(table.Answer[7], (MixedNumber{-99, -98, -97}));
}

TEST(DrawSheet, LeavesTheProblemFontAndAThinBlackPen)
{
    ProblemTable table = NumberedTable();
    RecordingCanvas canvas;
    canvas.SetPenWidth(4);
    DrawSheet(canvas, 4960, 7016, table, View(20, true));
    EXPECT_EQ(canvas.fontName(), "ＭＳ 明朝");
    EXPECT_EQ(canvas.fontHeight(), 202);
    EXPECT_EQ(canvas.penColor(), kBlack);
    EXPECT_EQ(canvas.penWidth(), 1);
    EXPECT_EQ(canvas.brushStyle(), BrushStyle::Clear);
}

// Any target, count, table and canvas metrics: the sheet is drawn without
// undefined behaviour (the sanitizer build checks that), with positive font
// heights and the expected number of problems.
TEST(DrawSheet, ExtremeInputsStayDefined)
{
    const std::int32_t sizes[] = {INT32_MIN, INT32_MIN + 7, -441,          -1,       0, 1, 2, 320,
                                  441,       4960,          INT32_MAX - 1, INT32_MAX};
    const std::int32_t counts[] = {INT32_MIN, -3, 0, 1, 5, 20, 21, INT32_MAX};
    const std::int32_t values[] = {INT32_MIN, -1, 0, 1, 7, INT32_MAX};
    const std::int32_t metrics[] = {INT32_MIN, 7, INT32_MAX};

    ProblemTable table;
    int v = 0;
    for (int i = 0; i <= kMaxProblems; ++i) {
        for (MixedNumber* m : {&table.Minuend[i], &table.Subtrahend[i], &table.Answer[i]}) {
            *m = {values[v % 6], values[(v / 6) % 6], values[(v / 36) % 6]};
            v += 7;
        }
    }
    for (const std::int32_t width : sizes) {
        for (const std::int32_t height : sizes) {
            for (const std::int32_t count : counts) {
                for (const std::int32_t metric : metrics) {
                    RecordingCanvas canvas(metric, metric);
                    ProblemTable copy = table;
                    DrawSheet(canvas, width, height, copy, View(count, (count & 1) != 0, count));
                    const auto heights = canvas.CallsOf(CanvasOp::SetFontHeight);
                    ASSERT_TRUE(std::all_of(heights.begin(), heights.end(),
                                            [](const CanvasCall& call) { return call.value >= 1; }));
                    std::size_t minus = 0;
                    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::TextOut))
                        minus += call.text == " - ";
                    EXPECT_EQ(minus, static_cast<std::size_t>(std::clamp(count / 2, 0, 10) * 2))
                        << width << " x " << height << ", count " << count;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tavrimo
