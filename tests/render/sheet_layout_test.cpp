// Whole sheets on the recording canvas: 7 units per ASCII character, 14 per
// other character, text height = font height.
#include "render/sheet_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "recording_canvas.h"

namespace tavrimo {
namespace {

using testing::CanvasCall;
using testing::CanvasOp;
using testing::RecordingCanvas;
using C = CanvasCall;
using Calls = std::vector<CanvasCall>;

constexpr std::string_view kQuestion = "つぎの計算をしましょう。";
constexpr std::size_t kHeaderCalls = 17;

constexpr std::string_view kNameBox = "（　　　　　　　　　　　）";  // 11 x U+3000

// The sheet's own fields; the table is given to Draw, which writes the answers back into it.
struct View {
    std::int32_t QuestionCount = 0;
    bool ShowAnswers = false;
    std::int32_t PrintNumber = 1;
    std::string QuestionText{kQuestion};
};

RecordingCanvas Draw(std::int32_t width, std::int32_t height, ProblemTable& table, const View& view)
{
    Sheet sheet{table, view.QuestionCount, view.PrintNumber, view.ShowAnswers, view.QuestionText};
    RecordingCanvas canvas;
    DrawSheet(canvas, width, height, sheet);
    table = sheet.table;
    return canvas;
}

// Problem i's minuend has the whole part 100 + i, drawn first, at the
// problem's start point, and found by its text.
ProblemTable NumberedTable()
{
    ProblemTable table;
    for (int i = 1; i <= kMaxProblems; ++i) {
        table.Minuend[i] = {100 + i, 1, 2};
        table.Subtrahend[i] = {0, 1, 3};
    }
    return table;
}

TEST(DrawSheet, ChainsEachProblemLineAndLeavesTheProblemFont)
{
    ProblemTable table;
    table.Minuend[1] = {3, 2, 15};
    table.Subtrahend[1] = {1, 1, 3};  // 3 2/15 - 1 5/15 = 1 12/15 = 1 4/5
    table.Minuend[2] = {5, 0, 0};
    table.Subtrahend[2] = {0, 1, 2};  // 5 - 1/2 = 4 1/2
    const Calls expected{
        C::Text(23, 70, "3"),    C::Text(34, 64, "2"),  C::Text(30, 77, "15"), C::Text(44, 70, " - "),
        C::Text(65, 70, "1"),    C::Text(72, 64, "1"),  C::Text(72, 77, "3"),  C::Text(79, 70, " = "),
        C::Text(100, 70, "1"),   C::Text(107, 64, "4"), C::Text(107, 77, "5"), C::Text(175, 70, "5"),
        C::Text(182, 70, " - "), C::Text(203, 64, "1"), C::Text(203, 77, "2"), C::Text(210, 70, " = "),
        C::Text(231, 70, "4"),   C::Text(238, 64, "1"), C::Text(238, 77, "2")};
    const RecordingCanvas canvas = Draw(320, 441, table, View{2, true});
    const Calls texts = canvas.CallsOf(CanvasOp::TextOut);
    EXPECT_EQ(Calls(texts.begin() + 4, texts.end()), expected);  // after the header's four
    for (const CanvasCall& last : {C::FontName("ＭＳ 明朝"), C::FontHeight(13), C::PenColor(kBlack),
                                   C::PenWidth(1), C::Brush(BrushStyle::Clear)})
        EXPECT_EQ(canvas.CallsOf(last.op).back(), last);
}

TEST(DrawSheet, HeaderIsScaledToTheTarget)
{
    struct HeaderCase {
        const char* name;
        std::int32_t width, height, right, bottom;                   // right and bottom of the background
        std::int32_t titleHeight, titleX, titleY, numberX, numberY;  // the number has the title's height
        std::int32_t boxHeight, boxX, boxY, questionHeight, questionX, questionY, problemHeight;
        std::int32_t printNumber;
        const char* number;
    };
    const HeaderCase cases[] = {
        {"preview", 320, 441, 319, 440, 6, 14, 10, 64, 10, 14, 140, 20, 10, 14, 40, 13, 1, "問題No.1"},
        {"page 4960 x 7016, scale 15.5", 4960, 7016, 4944, 6820, 93, 217, 155, 992, 155, 217, 2170, 310, 155,
         217, 620, 202, 123, "問題No.123"},
        // Scale 10/441: every height rounds to 0 and is raised to 1.
        {"tiny target keeps fonts 1 high", 10, 10, 7, 10, 1, 0, 0, 1, 0, 1, 3, 0, 1, 0, 1, 1, 0, "問題No.0"},
        // Scale -1: positions mirror, heights are raised to 1.
        {"negative height", 320, -441, -319, -440, 1, -14, -10, -64, -10, 1, -140, -20, 1, -14, -40, 1,
         INT32_MIN, "問題No.-2147483648"},
        // Scale 4869577.5.
        {"largest target", INT32_MAX, INT32_MAX, 1553395222, 2142614100, 29217465, 68174085, 48695775,
         311652960, 48695775, 68174085, 681740850, 97391550, 48695775, 68174085, 194783100, 63304508,
         INT32_MAX, "問題No.2147483647"},
    };
    for (const HeaderCase& c : cases) {
        ProblemTable table;
        const Calls expected{C::Brush(BrushStyle::Solid),
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
                             C::Text(c.numberX, c.numberY, c.number),
                             C::FontHeight(c.boxHeight),
                             C::Text(c.boxX, c.boxY, kNameBox),
                             C::FontHeight(c.questionHeight),
                             C::Text(c.questionX, c.questionY, kQuestion),
                             C::FontHeight(c.problemHeight)};
        EXPECT_EQ(Draw(c.width, c.height, table, View{0, false, c.printNumber}).calls(), expected) << c.name;
    }
}

TEST(DrawSheet, EmptyQuestionTextChangesNothingElse)
{
    ProblemTable table = NumberedTable();
    View view{20, true};
    Calls expected = Draw(320, 441, table, view).calls();
    ASSERT_EQ(expected[15], C::Text(14, 40, kQuestion));
    expected[15].text = "";  // still passed on; the canvas draws nothing for it
    view.QuestionText = "";
    EXPECT_EQ(Draw(320, 441, table, view).calls(), expected);
}

TEST(DrawSheet, ProblemsStartOnTheGrid)
{
    struct PositionCase {
        const char* name;
        std::int32_t width, height, questionCount, problem, x, y;
    };
    const PositionCase cases[] = {
        {"preview 20: ColumnWidth 152, RowHeight 391/10", 320, 441, 20, 19, 23, 421},
        {"preview 20", 320, 441, 20, 20, 175, 421},
        {"preview 16: RowHeight 391/8", 320, 441, 16, 3, 23, 118},
        {"preview 16", 320, 441, 16, 16, 175, 406},
        {"page 20: ColumnWidth 2364, RowHeight 6241/10", 4960, 7016, 20, 1, 356, 1085},
        {"page 20", 4960, 7016, 20, 20, 2720, 6701},
        {"page 16: RowHeight 6241/8", 4960, 7016, 16, 3, 356, 1865},
        {"width 0: ColumnWidth (0 - 15)/2, RowHeight 950/2", 0, 1000, 4, 4, 16, 545},
        {"count 7: RowHeight 391/3", 320, 441, 7, 5, 23, 330},
        {"count 40: rows spaced for all 20 asked for", 320, 441, 40, 20, 175, 241},
        {"scale -1: ColumnWidth (320 + 15)/2, RowHeight (-441 + 50)/10", 320, -441, 20, 4, 144, -109},
        {"largest target", INT32_MAX, INT32_MAX, 20, 20, 1149220274, 2054474718},
        {"most negative width: INT32_MIN - 15 wraps", INT32_MIN, 441, 2, 2, 1073741839, 70},
        {"most negative height: INT32_MIN - 50 wraps", 0, INT32_MIN, 20, 19, 23, 1932735301},
    };
    for (const PositionCase& c : cases) {
        ProblemTable table = NumberedTable();
        const Calls texts = Draw(c.width, c.height, table, View{c.questionCount}).CallsOf(CanvasOp::TextOut);
        const CanvasCall start = C::Text(c.x, c.y, std::to_string(100 + c.problem));
        EXPECT_NE(std::find(texts.begin(), texts.end(), start), texts.end()) << c.name << ", " << c.problem;
    }
}

TEST(DrawSheet, DrawsOnlyFullRowsAndOnlyTheTablesSlots)
{
    const std::pair<std::int32_t, int> cases[] = {
        // QuestionCount, problems 1.. drawn, each once
        {0, 0},   {1, 0},   {2, 2},     {3, 2},          {7, 6},  {16, 16}, {19, 18},      {20, 20},
        {21, 20}, {40, 20}, {1000, 20}, {INT32_MAX, 20}, {-1, 0}, {-2, 0},  {INT32_MIN, 0}};
    for (const auto& [count, drawn] : cases) {
        ProblemTable table = NumberedTable();
        const Calls calls = Draw(320, 441, table, View{count}).calls();
        std::vector<std::string> expected, minuends;
        for (int i = 1; i <= drawn; ++i) expected.push_back(std::to_string(100 + i));
        for (const CanvasCall& call : calls)
            if (call.op == CanvasOp::TextOut && call.text.size() == 3 && call.text[0] == '1')
                minuends.push_back(call.text);
        EXPECT_EQ(minuends, expected) << "QuestionCount " << count;
        EXPECT_TRUE(drawn > 0 || calls.size() == kHeaderCalls) << "header alone for " << count;
    }
}

TEST(DrawSheet, WritesTheAnswersOfTheDrawnProblemsOnlyWhenShown)
{
    const MixedNumber unset{-99, -98, -97};
    for (const bool shown : {false, true}) {
        ProblemTable table = NumberedTable();
        table.Answer.fill(unset);
        const RecordingCanvas canvas = Draw(320, 441, table, View{6, shown});
        for (int i = 0; i <= kMaxProblems; ++i) {
            const bool drawn = shown && i >= 1 && i <= 6;  // 1/2 - 1/3
            EXPECT_EQ(table.Answer[i], (drawn ? MixedNumber{100 + i, 1, 6} : unset)) << shown << i;
        }
        // Without answers each problem line ends with its " = ".
        EXPECT_EQ(canvas.calls().back() == C::Width(" = ", 21), !shown);
    }
}

// Any target, count, table and canvas metrics, with the class header and problem numbers on
// most counts: the sheet is drawn without undefined behaviour (the sanitizer build checks
// that), with positive font heights and the expected number of problems.
TEST(DrawSheet, ExtremeInputsStayDefined)
{
    const std::int32_t sizes[] = {INT32_MIN, INT32_MIN + 7, -441, -1, 0, 1, 2, 320, 441, 4960, INT32_MAX};
    const std::int32_t values[] = {INT32_MIN, -1, 0, 1, 7, INT32_MAX};
    ProblemTable table;  // the Answer column is computed before it is drawn
    for (int k = 0; k < 2 * (kMaxProblems + 1); ++k)
        table.at(k % 2 ? Column::Subtrahend : Column::Minuend, k / 2) = {
            values[7 * k % 6], values[7 * k / 6 % 6], values[7 * k / 36 % 6]};
    for (const std::int32_t width : sizes)
        for (const std::int32_t height : sizes)
            for (const std::int32_t count : {INT32_MIN, -3, 0, 1, 5, 20, 21, INT32_MAX})
                for (const std::int32_t metric : {INT32_MIN, 7, INT32_MAX}) {
                    RecordingCanvas canvas(metric, metric);
                    const bool extras = count % 3 != 0;
                    Sheet copy{table, count, count, (count & 1) != 0, std::string(kQuestion), extras, extras};
                    DrawSheet(canvas, width, height, copy);
                    for (const CanvasCall& call : canvas.CallsOf(CanvasOp::SetFontHeight))
                        ASSERT_GE(call.value, 1);
                    const Calls texts = canvas.CallsOf(CanvasOp::TextOut);
                    const auto isMinus = [](const CanvasCall& text) { return text.text == " - "; };
                    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), isMinus),
                              std::clamp(count / 2, 0, 10) * 2)
                        << width << " x " << height << ", count " << count;
                }
}

}  // namespace
}  // namespace tavrimo
