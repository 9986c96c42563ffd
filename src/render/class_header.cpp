#include "render/class_header.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "problems/integer_math.h"
#include "render/sheet_layout.h"

namespace tavrimo {
namespace {

// Reference units (pixels of the 320 x 441 preview). The header band above
// the sentence (y 40) holds two lines: the date beside the title (which ends
// at y 16), class and name below it; the score box spans both at the right,
// its right edge as far in from the edge as the title is.
constexpr std::int32_t kFieldFontHeight = 10;
constexpr std::int32_t kLeft = 14;
constexpr std::int32_t kDateTop = 6;
constexpr std::int32_t kClassTop = 22;
constexpr std::int32_t kFieldsRight = 253;
// Ruled lines run this far below the text of their line.
constexpr std::int32_t kRuleBelowText = 2;
constexpr std::int32_t kNameLabelGap = 10;
constexpr std::int32_t kScoreLeft = 261, kScoreTop = 4, kScoreRight = 305,
                       kScoreBottom = kClassTop + kFieldFontHeight + kRuleBelowText;
// The "/16" sits this far in from the box's right and bottom edges.
constexpr std::int32_t kScoreInset = 3;
constexpr double kLineWidth = 0.4;

constexpr std::string_view kDateText = "　　月　　日";
constexpr std::string_view kClassText = "　　年　　組　　番";
constexpr std::string_view kNameLabel = "名前";

constexpr std::int32_t kDefaultPenWidth = 1;

}  // namespace

void DrawClassHeader(Canvas& canvas, float scale, std::int32_t problemCount)
{
    const auto scaled = [scale](double reference) { return Scaled(scale, reference); };
    canvas.SetFontName(kSheetFont);
    canvas.SetFontHeight(ScaledFontHeight(scale, kFieldFontHeight));
    canvas.SetPenColor(kBlack);
    canvas.SetPenWidth(std::max<std::int32_t>(1, scaled(kLineWidth)));

    const std::int32_t right = scaled(kFieldsRight);
    const std::int32_t ruleOffset = scaled(kFieldFontHeight + kRuleBelowText);

    // The date ends where the name's line ends, its rule under it alone.
    const std::int32_t dateX = WrapSub(right, canvas.TextWidth(kDateText));
    const std::int32_t dateTop = scaled(kDateTop);
    canvas.TextOut(dateX, dateTop, kDateText);
    canvas.MoveTo(dateX, WrapAdd(dateTop, ruleOffset));
    canvas.LineTo(right, WrapAdd(dateTop, ruleOffset));

    const std::int32_t left = scaled(kLeft);
    const std::int32_t classTop = scaled(kClassTop);
    canvas.TextOut(left, classTop, kClassText);
    const std::int32_t nameX = WrapAdd(WrapAdd(left, canvas.TextWidth(kClassText)), scaled(kNameLabelGap));
    canvas.TextOut(nameX, classTop, kNameLabel);
    canvas.MoveTo(left, WrapAdd(classTop, ruleOffset));
    canvas.LineTo(right, WrapAdd(classTop, ruleOffset));

    const std::int32_t boxRight = scaled(kScoreRight);
    const std::int32_t boxBottom = scaled(kScoreBottom);
    canvas.Rectangle(scaled(kScoreLeft), scaled(kScoreTop), boxRight, boxBottom);
    const std::string outOf = "/" + std::to_string(problemCount);
    const std::int32_t inset = scaled(kScoreInset);
    canvas.TextOut(WrapSub(WrapSub(boxRight, inset), canvas.TextWidth(outOf)),
                   WrapSub(WrapSub(boxBottom, inset), canvas.TextHeight(outOf)), outOf);

    canvas.SetPenWidth(kDefaultPenWidth);
}

}  // namespace tavrimo
