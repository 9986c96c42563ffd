#include "render/problem_numbers.h"

#include <algorithm>
#include <string>

#include "problems/integer_math.h"
#include "render/sheet_layout.h"

namespace tavrimo {
namespace {

// Reference units. "(20)" at this height fits left of the first column with
// room to spare from the paper's edge; a line in a smaller font gets its own.
constexpr std::int32_t kNumberFontHeight = 8;
constexpr std::int32_t kGapBeforeProblem = 2;

}  // namespace

void DrawProblemNumber(Canvas& canvas, float scale, std::int32_t X, std::int32_t Y, std::int32_t number,
                       std::int32_t lineFontHeight)
{
    const std::string label = "(" + std::to_string(number) + ")";
    const std::int32_t lineMiddle = WrapAdd(Y, canvas.TextHeight(label) / 2);

    canvas.SetFontHeight(std::min(ScaledFontHeight(scale, kNumberFontHeight), lineFontHeight));
    const std::int32_t width = canvas.TextWidth(label);
    const std::int32_t top = WrapSub(lineMiddle, canvas.TextHeight(label) / 2);
    canvas.TextOut(WrapSub(WrapSub(X, Scaled(scale, kGapBeforeProblem)), width), top, label);
    canvas.SetFontHeight(lineFontHeight);
}

}  // namespace tavrimo
