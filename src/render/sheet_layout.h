#pragma once

#include <cstdint>
#include <string_view>

#include "problems/problem_table.h"
#include "render/canvas.h"

namespace tavrimo {

// The layout is fixed in the pixels of the 320 x 441 preview box.
inline constexpr std::int32_t kReferenceWidth = 320;
inline constexpr std::int32_t kReferenceHeight = 441;

inline constexpr const char* kTitleFont = "ＭＳ ゴシック";
inline constexpr const char* kSheetFont = "ＭＳ 明朝";

// What one drawing reads besides the table.
struct SheetView {
    std::int32_t QuestionCount = 0;
    std::int32_t PrintNumber = 0;
    bool ShowAnswers = false;
    std::string_view QuestionText;
};

// Draws one worksheet scaled onto the target. With answers shown it computes
// each drawn problem's answer into the table just before drawing it.
void DrawSheet(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight, ProblemTable& table,
               const SheetView& view);

// The single-precision factor from reference to device units.
float Scale(std::int32_t TargetWidth, std::int32_t TargetHeight);

// Round(scale * x), halves to even.
std::int32_t Scaled(float scale, double x);

double MinReal(double a, double b);

}  // namespace tavrimo
