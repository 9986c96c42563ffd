#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "runtime/canvas.h"

class QPainter;

namespace tavrimo {

// The canvas on any QPainter (widget, image, printer, PDF) with the metrics
// the sheet layout was made for: text placed by its top-left corner, font
// heights as cell heights (ascent plus descent) in device pixels, pen widths
// in device pixels, rectangles with exclusive right and bottom edges.
//
// The painter must be active and carry no transform: every coordinate is a
// device pixel. Text is always drawn in black, the canvas font's colour.
class QPainterCanvas final : public Canvas {
public:
    explicit QPainterCanvas(QPainter& painter);

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t TextWidth(std::string_view text) override;
    std::int32_t TextHeight(std::string_view text) override;

    void SetFontName(std::string_view name) override;
    void SetFontHeight(std::int32_t height) override;

    void SetPenColor(Rgb color) override;
    void SetPenWidth(std::int32_t width) override;
    void SetBrushStyle(BrushStyle style) override;
    void SetBrushColor(Rgb color) override;

    void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override;
    void MoveTo(std::int32_t x, std::int32_t y) override;
    void LineTo(std::int32_t x, std::int32_t y) override;

    // The pixel size chosen for the current font name and height.
    int FontPixelSize();

private:
    struct SizedFont {
        QFont font;
        QFontMetrics metrics;
        int cellHeight;  // ascent + descent, whole pixels
    };

    const SizedFont& CurrentFont();
    SizedFont MakeFont(const QString& family, std::int32_t cellHeight) const;
    void UseFont(const SizedFont& font);
    void UseLinePen();

    QPainter& painter_;
    std::string fontName_;
    std::int32_t fontHeight_;
    Rgb penColor_ = kBlack;
    std::int32_t penWidth_ = 1;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Rgb brushColor_ = kWhite;
    QPoint current_;

    // Fonts by (name, cell height); map nodes stay put, so the pointers below
    // remain valid while fonts are added.
    std::map<std::pair<std::string, std::int32_t>, SizedFont> fonts_;
    const SizedFont* font_ = nullptr;         // for fontName_ and fontHeight_; null when stale
    const SizedFont* painterFont_ = nullptr;  // what the painter holds now
    bool painterHasLinePen_ = false;
};

}  // namespace tavrimo
