#pragma once

#include <cstdint>

#include "runtime/canvas.h"

namespace tavrimo {

// Draws "(number)" in the space left of the problem that starts at (X, Y),
// ending a little before X, no larger than the problem and centred on its line
// (its text top at Y, the fraction bar half a line below). The problem does
// not move. Expects the sheet font at lineFontHeight, the problem's, and
// leaves it so.
void DrawProblemNumber(Canvas& canvas, float scale, std::int32_t X, std::int32_t Y, std::int32_t number,
                       std::int32_t lineFontHeight);

}  // namespace tavrimo
