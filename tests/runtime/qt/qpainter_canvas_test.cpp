#include "runtime/qt/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "runtime/qt/sheet_fonts.h"

namespace tavrimo {
namespace {

const QColor kPaper(255, 255, 255);

// An image of one colour with rectangles filled over it in order.
QImage Filled(QSize size, QColor background = kPaper,
              std::initializer_list<std::pair<QRect, QColor>> fills = {})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    for (const auto& [rect, colour] : fills) QPainter(&image).fillRect(rect, colour);
    return image;
}

// The canvas on an image; read the image after painter.end().
struct Surface {
    QImage image;
    QPainter painter{&image};
    QPainterCanvas canvas{painter};
};

// The smallest rectangle holding every dark pixel.
QRect InkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

TEST(QPainterCanvas, TextCellIsTheLargestNotAboveTheFontHeightAndPlacedByItsTopLeft)
{
    // IPAGothic's cell is 1.0756 em and pixel sizes are whole; 0: not fixed here.
    const bool ipa = ResolvedFontFamily(QString::fromUtf8(kGothicFace)) == QStringLiteral("IPAGothic");
    const struct {
        const char* face;
        int height, ipaPixelSize;
        BrushStyle brush;
    } rows[] = {{kGothicFace, 13, 12, BrushStyle::Solid},   {kGothicFace, 93, 0, BrushStyle::Clear},
                {kGothicFace, 202, 187, BrushStyle::Solid}, {kMinchoFace, 14, 0, BrushStyle::Clear},
                {kMinchoFace, 40, 0, BrushStyle::Solid},    {kMinchoFace, 202, 0, BrushStyle::Clear}};
    const QColor background(255, 255, 160), brush(160, 200, 255);
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.face) + " height " + std::to_string(row.height));
        Surface s{Filled({300, 300}, background)};
        s.canvas.SetFontName(row.face);
        s.canvas.SetFontHeight(row.height);
        const int size = s.canvas.FontPixelSize();
        const auto exactCell = [&](int pixelSize) {
            QFont font(QString::fromUtf8(row.face));
            font.setPixelSize(pixelSize);
            return QFontMetricsF(font).height();  // ascent + descent, unrounded
        };
        EXPECT_LE(exactCell(size), row.height);
        EXPECT_GT(exactCell(size + 1), row.height);
        EXPECT_TRUE(!ipa || row.ipaPixelSize == 0 || size == row.ipaPixelSize) << size;
        const QRect cell(30, 50, s.canvas.TextWidth("分"), s.canvas.TextHeight("分"));
        EXPECT_TRUE(cell.height() <= row.height && cell.height() >= row.height - 2) << cell.height();
        s.canvas.SetBrushColor({160, 200, 255});
        s.canvas.SetBrushStyle(row.brush);
        s.canvas.TextOut(30, 50, "分");
        s.painter.end();
        // The glyph lies inside its cell, just under the cell's top.
        const QRect ink = InkBounds(s.image);
        EXPECT_TRUE(cell.contains(ink));
        EXPECT_TRUE(QRect(30, 50, cell.width() / 6 + 1, cell.height() / 6 + 1).contains(ink.topLeft()));
        // Only a solid brush fills the cell, and nothing beyond it.
        for (const QPoint corner : {cell.topLeft(), cell.topRight(), cell.bottomLeft()})
            EXPECT_EQ(s.image.pixelColor(corner), row.brush == BrushStyle::Solid ? brush : background);
        QPainter(&s.image).fillRect(cell, background);
        EXPECT_TRUE(s.image == Filled(s.image.size(), background));
    }
}

TEST(QPainterCanvas, RectanglesAndLinesLeaveOutTheirRightAndBottomEndsAndPenWidthsArePixels)
{
    const auto colour = [](Rgb c) { return QColor(c.r, c.g, c.b); };
    const struct {
        BrushStyle style;
        Rgb pen, brush;
        QColor background;
    } rows[] = {{BrushStyle::Solid, kBlack, {0, 160, 0}, kPaper},
                {BrushStyle::Clear, kBlack, {0, 160, 0}, kPaper},
                {BrushStyle::Solid, kWhite, kWhite, QColor(90, 90, 90)}};  // the sheet's background
    for (const auto& row : rows) {
        Surface s{Filled({40, 40}, row.background)};
        s.canvas.SetPenColor(row.pen);
        s.canvas.SetBrushColor(row.brush);
        s.canvas.SetBrushStyle(row.style);
        s.canvas.Rectangle(10, 20, 30, 35);
        s.painter.end();
        const QRect box(10, 20, 20, 15);
        const QColor inside = row.style == BrushStyle::Solid ? colour(row.brush) : row.background;
        EXPECT_TRUE(s.image == Filled({40, 40}, row.background,
                                      {{box, colour(row.pen)}, {box - QMargins(1, 1, 1, 1), inside}}))
            << "row " << &row - rows;
    }
    // Pen widths with the line thickness they give: 0 draws one pixel.
    const struct {
        int width, thickness;
    } lines[] = {{1, 1}, {2, 2}, {0, 1}, {5, 5}};
    for (const auto& row : lines) {
        SCOPED_TRACE("pen width " + std::to_string(row.width));
        Surface s{Filled({100, 80})};
        s.canvas.SetPenWidth(row.width);
        s.canvas.SetPenWidth(-1);  // ignored
        s.canvas.MoveTo(20, 40);
        s.canvas.LineTo(60, 40);
        s.painter.end();
        const QRect ink = InkBounds(s.image);
        EXPECT_EQ(ink, QRect(20, ink.top(), 40, row.thickness));
        EXPECT_TRUE(ink.top() <= 40 && ink.bottom() >= 40) << ink.top();
        EXPECT_TRUE(s.image == Filled(s.image.size(), kPaper, {{ink, Qt::black}}));
    }
}

}  // namespace
}  // namespace tavrimo
