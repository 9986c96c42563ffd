#pragma once

#include <cstdint>
#include <string_view>

namespace tavrimo {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

enum class BrushStyle { Solid, Clear };

// The drawing surface a sheet is drawn on, in device pixels, origin top-left,
// y downwards. Texts are UTF-8.
class Canvas {
public:
    virtual ~Canvas() = default;

    // The top-left corner of the text at (x, y). With a solid brush the text
    // gets a background in the brush colour; with a clear brush none.
    virtual void TextOut(std::int32_t x, std::int32_t y, std::string_view text) = 0;
    virtual std::int32_t TextWidth(std::string_view text) = 0;
    virtual std::int32_t TextHeight(std::string_view text) = 0;

    virtual void SetFontName(std::string_view name) = 0;
    // The cell height, ascent plus descent, in device pixels; only positive
    // heights are passed.
    virtual void SetFontHeight(std::int32_t height) = 0;

    virtual void SetPenColor(Rgb color) = 0;
    // In device pixels; a negative width is ignored.
    virtual void SetPenWidth(std::int32_t width) = 0;
    virtual void SetBrushStyle(BrushStyle style) = 0;
    virtual void SetBrushColor(Rgb color) = 0;

    // Outline with the pen, fill with the brush; right and bottom exclusive.
    virtual void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) = 0;
    virtual void MoveTo(std::int32_t x, std::int32_t y) = 0;
    virtual void LineTo(std::int32_t x, std::int32_t y) = 0;
};

}  // namespace tavrimo
