// One mixed number or operator on the recording canvas: 7 units per digit,
// text height = font height.
#include "render/mixed_number_drawing.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "recording_canvas.h"

namespace tavrimo {
namespace {

using testing::CanvasCall;
using testing::CanvasOp;
using testing::RecordingCanvas;

constexpr int kSlot = 5;

// Each column of the slot holds a different number, so drawing the wrong
// column shows.
ProblemTable TableWith(Column kind, const MixedNumber& number)
{
    ProblemTable table;
    table.Minuend[kSlot] = {91, 92, 93};
    table.Subtrahend[kSlot] = {81, 82, 83};
    table.Answer[kSlot] = {71, 72, 73};
    table.at(kind, kSlot) = number;
    return table;
}

std::vector<CanvasCall> WithoutMeasurements(const std::vector<CanvasCall>& calls)
{
    std::vector<CanvasCall> drawn;
    for (const CanvasCall& call : calls) {
        if (call.op != CanvasOp::TextWidth && call.op != CanvasOp::TextHeight) drawn.push_back(call);
    }
    return drawn;
}

TEST(DrawMixedNumber, WorkedExampleThreeAndTwoFifteenths)
{
    const ProblemTable table = TableWith(Column::Minuend, {3, 2, 15});
    RecordingCanvas canvas;
    canvas.SetFontHeight(13);
    canvas.ClearCalls();

    const NextPoint next = DrawMixedNumber(canvas, 23, 70, table, kSlot, Column::Minuend);

    // HalfHeight 6; the numerator is offset 14/2 - 7/2 = 4, not (14 - 7)/2 = 3.
    const std::vector<CanvasCall> expected{
        CanvasCall::Width("3", 7),   CanvasCall::Width("2", 7),      CanvasCall::Width("15", 14),
        CanvasCall::Height("3", 13), CanvasCall::Text(23, 70, "3"),  CanvasCall::Text(34, 64, "2"),
        CanvasCall::PenWidth(2),     CanvasCall::Move(30, 76),       CanvasCall::Line(44, 76),
        CanvasCall::PenWidth(1),     CanvasCall::Text(30, 77, "15"),
    };
    EXPECT_EQ(canvas.calls(), expected);
    EXPECT_EQ(next, (NextPoint{44, 70}));
}

struct DrawCase {
    const char* name;
    Column kind;
    MixedNumber number;
    std::int32_t x, y;
    std::vector<CanvasCall> drawn;  // the calls after the four measurements
    NextPoint next;
};

TEST(DrawMixedNumber, DrawsWholeAndFractionByTheRules)
{
    using C = CanvasCall;
    const DrawCase cases[] = {
        {"operand of value 0 draws nothing", Column::Minuend, {0, 0, 0}, 23, 70, {}, {23, 70}},
        {"subtrahend 0 over 5 draws nothing", Column::Subtrahend, {0, 0, 5}, 23, 70, {}, {23, 70}},
        {"answer of value 0 draws 0", Column::Answer, {0, 0, 1}, 100, 70, {C::Text(100, 70, "0")}, {107, 70}},
        {"answer 0 without a fraction part",
         Column::Answer,
         {0, 0, 0},
         100,
         70,
         {C::Text(100, 70, "0")},
         {107, 70}},
        {"answer 0 and 2/3 draws only the fraction",
         Column::Answer,
         {0, 2, 3},
         100,
         70,
         {C::Text(100, 64, "2"), C::PenWidth(2), C::Move(100, 76), C::Line(107, 76), C::PenWidth(1),
          C::Text(100, 77, "3")},
         {107, 70}},
        {"numerator 0 never shows a fraction",
         Column::Answer,
         {4, 0, 1},
         100,
         70,
         {C::Text(100, 70, "4")},
         {107, 70}},
        {"negative answer without fraction draws nothing",
         Column::Answer,
         {-1, 0, 0},
         100,
         70,
         {},
         {100, 70}},
        {"equal widths share x, bar as long as the numerator",
         Column::Minuend,
         {1, 12, 34},
         23,
         70,
         {C::Text(23, 70, "1"), C::Text(30, 64, "12"), C::PenWidth(2), C::Move(30, 76), C::Line(44, 76),
          C::PenWidth(1), C::Text(30, 77, "34")},
         {44, 70}},
        {"wider numerator centres the denominator",
         Column::Minuend,
         {2, 10, 3},
         23,
         70,
         {C::Text(23, 70, "2"), C::Text(30, 64, "10"), C::PenWidth(2), C::Move(30, 76), C::Line(44, 76),
          C::PenWidth(1), C::Text(34, 77, "3")},
         {44, 70}},
        {"offset 28/2 - 7/2 = 11, not (28 - 7)/2 = 10",
         Column::Subtrahend,
         {0, 1, 1000},
         50,
         70,
         {C::Text(61, 64, "1"), C::PenWidth(2), C::Move(50, 76), C::Line(78, 76), C::PenWidth(1),
          C::Text(50, 77, "1000")},
         {78, 70}},
        {"negative whole is never drawn",
         Column::Minuend,
         {-2, 1, 2},
         23,
         70,
         {C::Text(23, 64, "1"), C::PenWidth(2), C::Move(23, 76), C::Line(30, 76), C::PenWidth(1),
          C::Text(23, 77, "2")},
         {30, 70}},
        {"negative numerator shows no fraction",
         Column::Minuend,
         {3, -1, 2},
         23,
         70,
         {C::Text(23, 70, "3")},
         {30, 70}},
        {"denominator 0 is not tested",
         Column::Subtrahend,
         {0, 1, 0},
         23,
         70,
         {C::Text(23, 64, "1"), C::PenWidth(2), C::Move(23, 76), C::Line(30, 76), C::PenWidth(1),
          C::Text(23, 77, "0")},
         {30, 70}},
        {"negative denominator measured with its sign",
         Column::Minuend,
         {1, 1, -3},
         23,
         70,
         {C::Text(23, 70, "1"), C::Text(34, 64, "1"), C::PenWidth(2), C::Move(30, 76), C::Line(44, 76),
          C::PenWidth(1), C::Text(30, 77, "-3")},
         {44, 70}},
        {"most negative whole", Column::Answer, {INT32_MIN, 0, 0}, 0, 0, {}, {0, 0}},
    };
    for (const DrawCase& c : cases) {
        const ProblemTable table = TableWith(c.kind, c.number);
        RecordingCanvas canvas;
        canvas.SetFontHeight(13);
        canvas.ClearCalls();

        const NextPoint next = DrawMixedNumber(canvas, c.x, c.y, table, kSlot, c.kind);

        const std::string whole = std::to_string(c.number.Whole);
        const std::string numerator = std::to_string(c.number.Numerator);
        const std::string denominator = std::to_string(c.number.Denominator);
        const std::vector<CanvasCall> measurements{
            CanvasCall::Width(whole, canvas.Measure(whole)),
            CanvasCall::Width(numerator, canvas.Measure(numerator)),
            CanvasCall::Width(denominator, canvas.Measure(denominator)),
            CanvasCall::Height(whole, 13),
        };
        ASSERT_GE(canvas.calls().size(), 4u) << c.name;
        EXPECT_EQ(std::vector<CanvasCall>(canvas.calls().begin(), canvas.calls().begin() + 4), measurements)
            << c.name;
        EXPECT_EQ(WithoutMeasurements(canvas.calls()), c.drawn) << c.name;
        EXPECT_EQ(next, c.next) << c.name;
    }
}

TEST(DrawMixedNumber, HalfHeightTruncatesTowardZero)
{
    struct HeightCase {
        std::int32_t fontHeight;
        std::int32_t half;
    };
    const HeightCase cases[] = {{13, 6}, {7, 3}, {1, 0}, {0, 0}, {-5, -2}};
    const ProblemTable table = TableWith(Column::Minuend, {0, 1, 2});
    for (const HeightCase& c : cases) {
        RecordingCanvas canvas;
        canvas.SetFontHeight(c.fontHeight);
        canvas.ClearCalls();
        DrawMixedNumber(canvas, 10, 20, table, kSlot, Column::Minuend);
        const std::vector<CanvasCall> expected{
            CanvasCall::Text(10, 20 - c.half, "1"),
            CanvasCall::PenWidth(2),
            CanvasCall::Move(10, 20 + c.half),
            CanvasCall::Line(17, 20 + c.half),
            CanvasCall::PenWidth(1),
            CanvasCall::Text(10, 21 + c.half, "2"),
        };
        EXPECT_EQ(WithoutMeasurements(canvas.calls()), expected) << "font height " << c.fontHeight;
    }
}

TEST(DrawMixedNumber, CoordinatesWrapAtTheInt32Edges)
{
    const ProblemTable table = TableWith(Column::Minuend, {5, 1, 2});
    RecordingCanvas canvas;
    canvas.SetFontHeight(13);
    canvas.ClearCalls();

    const NextPoint next =
        DrawMixedNumber(canvas, INT32_MAX - 3, INT32_MIN + 2, table, kSlot, Column::Minuend);

    // x: 2147483644 + 7 wraps to -2147483645; the numerator's y, 6 above
    // -2147483646, wraps to 2147483644.
    const std::vector<CanvasCall> expected{
        CanvasCall::Text(2147483644, -2147483646, "5"),
        CanvasCall::Text(-2147483645, 2147483644, "1"),
        CanvasCall::PenWidth(2),
        CanvasCall::Move(-2147483645, -2147483640),
        CanvasCall::Line(-2147483638, -2147483640),
        CanvasCall::PenWidth(1),
        CanvasCall::Text(-2147483645, -2147483639, "2"),
    };
    EXPECT_EQ(WithoutMeasurements(canvas.calls()), expected);
    EXPECT_EQ(next, (NextPoint{-2147483638, -2147483646}));
}

TEST(DrawMixedNumber, LeavesPenWidthOneAfterAFraction)
{
    const ProblemTable table = TableWith(Column::Answer, {1, 1, 2});
    RecordingCanvas canvas;
    canvas.SetPenWidth(5);
    DrawMixedNumber(canvas, 0, 0, table, kSlot, Column::Answer);
    EXPECT_EQ(canvas.penWidth(), 1);
}

struct OperatorCase {
    std::string_view text;
    std::int32_t x, y;
    NextPoint next;
};

TEST(DrawOperator, SetsBlackDrawsAndAdvancesByTheWidth)
{
    const OperatorCase cases[] = {
        {" - ", 44, 70, {65, 70}},
        {" = ", 79, 70, {100, 70}},
        {"", 5, 6, {5, 6}},
        {"＝", 0, -3, {14, -3}},
        {" - ", INT32_MAX - 10, 1, {INT32_MIN + 10, 1}},
    };
    for (const OperatorCase& c : cases) {
        RecordingCanvas canvas;
        canvas.SetPenColor(kWhite);
        canvas.ClearCalls();

        const NextPoint next = DrawOperator(canvas, c.x, c.y, c.text);

        const std::vector<CanvasCall> expected{CanvasCall::PenColor(kBlack),
                                               CanvasCall::Text(c.x, c.y, c.text),
                                               CanvasCall::Width(c.text, canvas.Measure(c.text))};
        EXPECT_EQ(canvas.calls(), expected) << '"' << c.text << '"';
        EXPECT_EQ(next, c.next) << '"' << c.text << '"';
    }
}

TEST(DrawOperator, WidthsBeyondInt32Wrap)
{
    RecordingCanvas canvas(1 << 30, 1 << 30);
    EXPECT_EQ(DrawOperator(canvas, 0, 0, " - "), (NextPoint{-1073741824, 0}));  // 3 * 2^30 - 2^32
}

}  // namespace
}  // namespace tavrimo
