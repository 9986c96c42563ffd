#include "runtime/qt/qpainter_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>

#include "runtime/face_names.h"

namespace tavrimo {
namespace {

// A face name holds at most 31 characters, as in a Win32 font description.
constexpr int kMaxFaceNameLength = 31;

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

QFont FontAtPixelSize(const QString& family, int pixelSize)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    // Widths are plain sums of advances, as the layout measures them.
    font.setKerning(false);
    return font;
}

}  // namespace

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : painter_(painter), fontName_(kProportionalGothicFace), fontHeight_(12)
{
    // Lines and rectangles cover whole pixels; text keeps the painter's own
    // antialiasing.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
}

QPainterCanvas::SizedFont QPainterCanvas::MakeFont(const QString& family, std::int32_t cellHeight) const
{
    QPaintDevice* device = painter_.device();
    // The exact ascent + descent of a pixel size; Qt's whole-pixel metrics
    // round both parts and may overstate it by up to a pixel.
    const auto cell = [&](int pixelSize) {
        const QFontMetricsF m(FontAtPixelSize(family, pixelSize), device);
        return m.ascent() + m.descent();
    };
    // The cell grows with the pixel size; start from the ratio at the
    // requested size and walk to the largest size whose cell still fits.
    const int requested = std::max(1, cellHeight);
    const double ratio = cell(requested) / requested;
    int size = ratio > 0 ? std::max(1, static_cast<int>(std::floor(requested / ratio))) : requested;
    while (size > 1 && cell(size) > requested) --size;
    while (cell(size + 1) <= requested) ++size;

    QFont font = FontAtPixelSize(family, size);
    QFontMetrics metrics(font, device);
    const int height = metrics.ascent() + metrics.descent();
    return SizedFont{std::move(font), std::move(metrics), height};
}

const QPainterCanvas::SizedFont& QPainterCanvas::CurrentFont()
{
    if (font_ == nullptr) {
        auto key = std::make_pair(fontName_, fontHeight_);
        auto it = fonts_.find(key);
        if (it == fonts_.end()) {
            it = fonts_.emplace(std::move(key), MakeFont(FromUtf8(fontName_), fontHeight_)).first;
        }
        font_ = &it->second;
    }
    return *font_;
}

void QPainterCanvas::UseFont(const SizedFont& font)
{
    if (painterFont_ != &font) {
        painter_.setFont(font.font);
        painterFont_ = &font;
    }
}

int QPainterCanvas::FontPixelSize()
{
    return CurrentFont().font.pixelSize();
}

void QPainterCanvas::TextOut(std::int32_t x, std::int32_t y, std::string_view text)
{
    if (text.empty()) return;
    const SizedFont& font = CurrentFont();
    const QString s = FromUtf8(text);
    if (brushStyle_ == BrushStyle::Solid) {
        painter_.fillRect(QRect(x, y, font.metrics.horizontalAdvance(s), font.cellHeight),
                          ToQColor(brushColor_));
    }
    UseFont(font);
    const QPen textPen(Qt::black);
    if (painter_.pen() != textPen) painter_.setPen(textPen);
    // Qt places text by its baseline.
    painter_.drawText(QPoint(x, y + font.metrics.ascent()), s);
}

std::int32_t QPainterCanvas::TextWidth(std::string_view text)
{
    return CurrentFont().metrics.horizontalAdvance(FromUtf8(text));
}

std::int32_t QPainterCanvas::TextHeight(std::string_view)
{
    return CurrentFont().cellHeight;
}

void QPainterCanvas::SetFontName(std::string_view name)
{
    std::string truncated(FromUtf8(name).left(kMaxFaceNameLength).toStdString());
    if (truncated != fontName_) {
        fontName_ = std::move(truncated);
        font_ = nullptr;
    }
}

void QPainterCanvas::SetFontHeight(std::int32_t height)
{
    if (height > 0 && height != fontHeight_) {
        fontHeight_ = height;
        font_ = nullptr;
    }
}

void QPainterCanvas::SetPenColor(Rgb color)
{
    penColor_ = color;
}

void QPainterCanvas::SetPenWidth(std::int32_t width)
{
    if (width >= 0) penWidth_ = width;
}

void QPainterCanvas::SetBrushStyle(BrushStyle style)
{
    brushStyle_ = style;
}

void QPainterCanvas::SetBrushColor(Rgb color)
{
    brushColor_ = color;
}

void QPainterCanvas::UseLinePen()
{
    // A width of 0 is the thinnest line, one pixel. The pen is not cosmetic:
    // with no transform its width is in device pixels on every device, and
    // flat caps end a line before its end point.
    QPen pen(ToQColor(penColor_), std::max(1, penWidth_), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(false);
    if (painter_.pen() != pen) painter_.setPen(pen);
}

void QPainterCanvas::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    const QRect area(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    if (brushStyle_ == BrushStyle::Solid) painter_.fillRect(area, ToQColor(brushColor_));
    // The outline runs through the outermost pixels of the area.
    UseLinePen();
    painter_.setBrush(Qt::NoBrush);
    if (area.width() == 1 || area.height() == 1) {
        painter_.fillRect(area, ToQColor(penColor_));
    } else {
        painter_.drawRect(QRect(area.topLeft(), QSize(area.width() - 1, area.height() - 1)));
    }
}

void QPainterCanvas::MoveTo(std::int32_t x, std::int32_t y)
{
    current_ = QPoint(x, y);
}

void QPainterCanvas::LineTo(std::int32_t x, std::int32_t y)
{
    const QPoint end(x, y);
    if (end != current_) {
        UseLinePen();
        painter_.drawLine(current_, end);
    }
    current_ = end;
}

}  // namespace tavrimo
