#include "render/mixed_number_drawing.h"

#include <string>

#include "problems/integer_math.h"

namespace tavrimo {
namespace {

// The bar under the numerator is drawn thicker than the outlines, and the
// denominator hangs this far below it. Device units: the gap is not scaled.
constexpr std::int32_t kBarPenWidth = 2;
constexpr std::int32_t kDefaultPenWidth = 1;
constexpr std::int32_t kFractionGap = 1;

// Draws the numerator above the line, the bar on the middle line and the
// denominator below it, the narrower text centred on the wider one. Returns
// the x after the fraction.
std::int32_t DrawFraction(Canvas& canvas, std::int32_t X, std::int32_t Y, std::int32_t halfHeight,
                          const std::string& numeratorText, std::int32_t numWidth,
                          const std::string& denominatorText, std::int32_t denWidth)
{
    // Equal widths take the numerator's side.
    const bool numeratorWider = numWidth >= denWidth;
    const std::int32_t barLength = numeratorWider ? numWidth : denWidth;
    // Each width is halved on its own, so 14 over 7 centres at 7 - 3 = 4.
    const std::int32_t offset =
        numeratorWider ? WrapSub(numWidth / 2, denWidth / 2) : WrapSub(denWidth / 2, numWidth / 2);
    const std::int32_t numX = numeratorWider ? X : WrapAdd(X, offset);
    const std::int32_t denX = numeratorWider ? WrapAdd(X, offset) : X;
    const std::int32_t barY = WrapAdd(Y, halfHeight);

    canvas.TextOut(numX, WrapSub(Y, halfHeight), numeratorText);
    canvas.SetPenWidth(kBarPenWidth);
    canvas.MoveTo(X, barY);
    canvas.LineTo(WrapAdd(X, barLength), barY);
    canvas.SetPenWidth(kDefaultPenWidth);
    canvas.TextOut(denX, WrapAdd(barY, kFractionGap), denominatorText);
    return WrapAdd(X, barLength);
}

}  // namespace

NextPoint DrawMixedNumber(Canvas& canvas, std::int32_t X, std::int32_t Y, const ProblemTable& table,
                          int index, Column kind)
{
    // An answer of value 0 must still show "0".
    return DrawMixedNumber(canvas, X, Y, table.at(kind, index), kind == Column::Answer);
}

NextPoint DrawMixedNumber(Canvas& canvas, std::int32_t X, std::int32_t Y, const MixedNumber& number,
                          bool zeroAsDigit)
{
    const std::string wholeText = std::to_string(number.Whole);
    const std::string numeratorText = std::to_string(number.Numerator);
    const std::string denominatorText = std::to_string(number.Denominator);

    // Every measurement comes first, in this order, whatever is drawn after.
    const std::int32_t wholeWidth = canvas.TextWidth(wholeText);
    const std::int32_t numWidth = canvas.TextWidth(numeratorText);
    const std::int32_t denWidth = canvas.TextWidth(denominatorText);
    const std::int32_t halfHeight = canvas.TextHeight(wholeText) / 2;

    // An operand of whole 0 shows only its fraction. A negative whole is
    // never drawn.
    const bool zeroDigit = zeroAsDigit && number.Whole == 0 && number.Numerator == 0;
    if (number.Whole > 0 || zeroDigit) {
        canvas.TextOut(X, Y, wholeText);
        X = WrapAdd(X, wholeWidth);
    }

    // The denominator is not tested: a numerator of 0 never shows a fraction.
    if (number.Numerator > 0) {
        X = DrawFraction(canvas, X, Y, halfHeight, numeratorText, numWidth, denominatorText, denWidth);
    }
    return {X, Y};
}

NextPoint DrawOperator(Canvas& canvas, std::int32_t X, std::int32_t Y, std::string_view text)
{
    canvas.SetPenColor(kBlack);
    canvas.TextOut(X, Y, text);
    return {WrapAdd(X, canvas.TextWidth(text)), Y};
}

}  // namespace tavrimo
