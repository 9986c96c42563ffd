#pragma once

#include <cstdint>

#include "runtime/canvas.h"

namespace tavrimo {

// The fields a sheet handed out and marked needs, drawn where the name box
// would be: "　　月　　日" on the title's line and "　　年　　組　　番 名前"
// on the next, each over a ruled line to write on, and at the right a score
// box with "/problemCount" in its lower right corner. All of it stays above
// the instruction sentence. Leaves the pen black and 1 wide.
void DrawClassHeader(Canvas& canvas, float scale, std::int32_t problemCount);

}  // namespace tavrimo
