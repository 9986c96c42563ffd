#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "problems/sheet.h"
#include "runtime/canvas.h"
#include "runtime/face_names.h"

namespace tavrimo {

// The layout is fixed in the pixels of the 320 x 441 preview box.
inline constexpr std::int32_t kReferenceWidth = 320;
inline constexpr std::int32_t kReferenceHeight = 441;

inline constexpr const char* kTitleFont = kGothicFace;
inline constexpr const char* kSheetFont = kMinchoFace;

// Draws one worksheet scaled onto the target. With answers shown it computes
// each drawn problem's answer into the sheet's table just before drawing it.
void DrawSheet(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight, Sheet& sheet);

// Whether the sentence, drawn as DrawSheet draws it on the target, ends
// within the sheet's right edge. The canvas's font is changed.
bool QuestionFits(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight,
                  std::string_view question);

// The header every sheet starts with, scaled: the white background of the
// reference area, the title, the sheet number text, the name box (or the
// class header when the sheet asks for it) and the instruction sentence.
// Leaves the pen black, the brush clear and the sheet font selected.
void DrawSheetHeader(Canvas& canvas, float scale, const Sheet& sheet, std::string_view sheetNumberText);

// "問題No." and the number, as the header shows it.
std::string SheetNumberText(std::int32_t printNumber);

// A font height in reference units scaled, at least 1: the canvas takes only
// positive heights.
std::int32_t ScaledFontHeight(float scale, double referenceHeight);

// The single-precision factor from reference to device units.
float Scale(std::int32_t TargetWidth, std::int32_t TargetHeight);

// Round(scale * x), halves to even.
std::int32_t Scaled(float scale, double x);

double MinReal(double a, double b);

}  // namespace tavrimo
