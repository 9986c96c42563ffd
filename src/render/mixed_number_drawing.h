#pragma once

#include <cstdint>
#include <string_view>

#include "problems/problem_table.h"
#include "runtime/canvas.h"

namespace tavrimo {

// Where the next item of a problem line starts: X the left edge, Y the top of
// the line's text (numerators stand above it).
struct NextPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const NextPoint&, const NextPoint&) = default;
};

// Draws slot index of the column as its whole part and a stacked fraction in
// the canvas's current font, and returns the point after it.
NextPoint DrawMixedNumber(Canvas& canvas, std::int32_t X, std::int32_t Y, const ProblemTable& table,
                          int index, Column kind);

// The same for a number of no table: an improper fraction draws as its
// numerator over its denominator, and a value of 0 draws as "0" only with
// zeroAsDigit (the Answer column's rule).
NextPoint DrawMixedNumber(Canvas& canvas, std::int32_t X, std::int32_t Y, const MixedNumber& number,
                          bool zeroAsDigit);

// Draws an operator text such as " - " in black and returns the point after it.
NextPoint DrawOperator(Canvas& canvas, std::int32_t X, std::int32_t Y, std::string_view text);

}  // namespace tavrimo
