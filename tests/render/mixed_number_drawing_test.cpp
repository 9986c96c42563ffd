// One mixed number or operator on the recording canvas: 7 units per ASCII
// character, 14 per other character, text height = font height.
#include "render/mixed_number_drawing.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "recording_canvas.h"

namespace tavrimo {
namespace {

using testing::CanvasCall;
using testing::CanvasOp;
using testing::RecordingCanvas;
using C = CanvasCall;

// The drawing calls from the first given on, in short: text out "TEXT@X,Y",
// pen width "wN", move to "mX,Y", line to "lX,Y".
std::string Drawn(const std::vector<CanvasCall>& calls, std::size_t first)
{
    std::ostringstream out;
    for (auto call = calls.begin() + first; call < calls.end(); ++call) {
        switch (call->op) {
            case CanvasOp::TextOut: out << ' ' << call->text << '@' << call->x << ',' << call->y; break;
            case CanvasOp::SetPenWidth: out << " w" << call->value; break;
            case CanvasOp::MoveTo: out << " m" << call->x << ',' << call->y; break;
            case CanvasOp::LineTo: out << " l" << call->x << ',' << call->y; break;
            default: out << ' ' << *call;
        }
    }
    return out.str().substr(out.str().empty() ? 0 : 1);
}

struct DrawCase {
    const char* name;
    Column kind;
    std::int32_t whole, numerator, denominator, x, y;
    const char* drawn;  // after the measurements
    std::int32_t nextX, fontHeight = 13;
};

TEST(DrawMixedNumber, MeasuresThenDrawsWholeAndFractionByTheRules)
{
    constexpr Column M = Column::Minuend, S = Column::Subtrahend, A = Column::Answer;
    const DrawCase cases[] = {
        // HalfHeight 6; the numerator is offset 14/2 - 7/2 = 4, not (14 - 7)/2 = 3.
        {"3 2/15", M, 3, 2, 15, 23, 70, "3@23,70 2@34,64 w2 m30,76 l44,76 w1 15@30,77", 44},
        {"operand 0: nothing", M, 0, 0, 0, 23, 70, "", 23},
        {"subtrahend 0/5: nothing", S, 0, 0, 5, 23, 70, "", 23},
        {"answer 0: \"0\"", A, 0, 0, 1, 100, 70, "0@100,70", 107},
        {"answer 0 2/3", A, 0, 2, 3, 100, 70, "2@100,64 w2 m100,76 l107,76 w1 3@100,77", 107},
        {"numerator 0: no fraction", A, 4, 0, 1, 100, 70, "4@100,70", 107},
        {"negative answer: nothing", A, INT32_MIN, 0, 0, 0, 0, "", 0},
        {"equal widths: same x", M, 1, 12, 34, 23, 70, "1@23,70 12@30,64 w2 m30,76 l44,76 w1 34@30,77", 44},
        {"wider numerator", M, 2, 10, 3, 23, 70, "2@23,70 10@30,64 w2 m30,76 l44,76 w1 3@34,77", 44},
        {"negative whole: fraction only", M, -2, 1, 2, 23, 70, "1@23,64 w2 m23,76 l30,76 w1 2@23,77", 30},
        {"negative numerator: no fraction", M, 3, -1, 2, 23, 70, "3@23,70", 30},
        {"denominator 0 not tested", S, 0, 1, 0, 23, 70, "1@23,64 w2 m23,76 l30,76 w1 0@23,77", 30},
        {"negative denominator", M, 1, 1, -3, 23, 70, "1@23,70 1@34,64 w2 m30,76 l44,76 w1 -3@30,77", 44},
        {"height 7 halves to 3", M, 0, 1, 2, 10, 20, "1@10,17 w2 m10,23 l17,23 w1 2@10,24", 17, 7},
        {"height -5 halves to -2", M, 0, 1, 2, 10, 20, "1@10,22 w2 m10,18 l17,18 w1 2@10,19", 17, -5},
        // x + 7 and the numerator's y, 6 above, wrap.
        {"coordinates wrap", M, 5, 1, 2, INT32_MAX - 3, INT32_MIN + 2,
         "5@2147483644,-2147483646 1@-2147483645,2147483644 w2 m-2147483645,-2147483640 "
         "l-2147483638,-2147483640 w1 2@-2147483645,-2147483639",
         -2147483638},
    };
    for (const DrawCase& c : cases) {
        // Each column holds a different number, so drawing the wrong one shows.
        ProblemTable table;
        table.Minuend[5] = {91, 92, 93};
        table.Subtrahend[5] = {81, 82, 83};
        table.Answer[5] = {71, 72, 73};
        table.at(c.kind, 5) = {c.whole, c.numerator, c.denominator};
        RecordingCanvas canvas;
        canvas.SetFontHeight(c.fontHeight);
        canvas.ClearCalls();
        const NextPoint next = DrawMixedNumber(canvas, c.x, c.y, table, 5, c.kind);

        // Measured first, in this order, whatever is drawn.
        const std::vector<CanvasCall>& calls = canvas.calls();
        const std::string parts[] = {std::to_string(c.whole), std::to_string(c.numerator),
                                     std::to_string(c.denominator)};
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(calls.at(k), C::Width(parts[k], canvas.Measure(parts[k]))) << c.name;
        EXPECT_EQ(calls.at(3), C::Height(std::to_string(c.whole), c.fontHeight)) << c.name;
        EXPECT_EQ(Drawn(calls, 4), c.drawn) << c.name;
        EXPECT_EQ(next, (NextPoint{c.nextX, c.y})) << c.name;
    }
}

TEST(DrawOperator, SetsBlackDrawsAndAdvancesByTheWidth)
{
    const std::tuple<std::string_view, std::int32_t, std::int32_t, std::int32_t> cases[] = {
        {" - ", 44, 70, 65}, {"＝", 0, -3, 14}, {" - ", INT32_MAX - 10, 1, INT32_MIN + 10}};
    for (const auto& [text, x, y, nextX] : cases) {
        RecordingCanvas canvas;
        const NextPoint next = DrawOperator(canvas, x, y, text);
        const std::vector<CanvasCall> expected{C::PenColor(kBlack), C::Text(x, y, text),
                                               C::Width(text, canvas.Measure(text))};
        EXPECT_EQ(canvas.calls(), expected) << '"' << text << '"';
        EXPECT_EQ(next, (NextPoint{nextX, y})) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace tavrimo
