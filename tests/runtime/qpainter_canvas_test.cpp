#include "runtime/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <optional>

#include "qt_printers.h"
#include "runtime/sheet_fonts.h"

namespace tavrimo {
namespace {

const QColor kPaper(255, 255, 255);

QImage Filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// An image with a painter and the canvas on it; the painter ends when the
// image is read.
class Surface {
public:
    explicit Surface(QSize size = QSize(200, 120), QColor background = kPaper)
        : image_(Filled(size, background)), painter_(&image_), canvas_(painter_)
    {
    }
    QPainterCanvas& canvas() { return canvas_; }
    const QImage& image()
    {
        if (painter_.isActive()) painter_.end();
        return image_;
    }

private:
    QImage image_;
    QPainter painter_;
    QPainterCanvas canvas_;
};

bool IsInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// The smallest rectangle holding every dark pixel.
std::optional<QRect> InkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (IsInk(image.pixel(x, y))) bounds |= QRect(x, y, 1, 1);
        }
    }
    if (bounds.isNull()) return std::nullopt;
    return bounds;
}

// The exact ascent + descent of a pixel size, as the font reports it.
double ExactCell(const char* face, int pixelSize)
{
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixelSize);
    const QFontMetricsF m(font);
    return m.ascent() + m.descent();
}

TEST(QPainterCanvas, FontHeightIsTheLargestCellNotAboveTheRequest)
{
    for (const char* face : {kGothicFace, kMinchoFace}) {
        for (const int height : {6, 10, 13, 14, 93, 202}) {
            SCOPED_TRACE(std::string(face) + " height " + std::to_string(height));
            Surface surface;
            QPainterCanvas& canvas = surface.canvas();
            canvas.SetFontName(face);
            canvas.SetFontHeight(height);
            const int size = canvas.FontPixelSize();
            EXPECT_LE(ExactCell(face, size), height);
            EXPECT_GT(ExactCell(face, size + 1), height);
            const int cell = canvas.TextHeight("1");
            EXPECT_LE(cell, height);
            EXPECT_GE(cell, height - 2);
        }
    }
}

TEST(QPainterCanvas, IpaGothicPixelSizesForTheSheetHeights)
{
    if (ResolvedFontFamily(QString::fromUtf8(kGothicFace)) != QStringLiteral("IPAGothic")) {
        GTEST_SKIP() << "IPAGothic is not installed";
    }
    // Its cell is 1.0756 em; pixel sizes are whole.
    const struct {
        int height, pixelSize;
    } rows[] = {{13, 12}, {202, 187}};
    for (const auto& row : rows) {
        Surface surface;
        surface.canvas().SetFontName(kGothicFace);
        surface.canvas().SetFontHeight(row.height);
        EXPECT_EQ(surface.canvas().FontPixelSize(), row.pixelSize) << "height " << row.height;
    }
}

TEST(QPainterCanvas, NonPositiveFontHeightKeepsTheFont)
{
    Surface surface;
    QPainterCanvas& canvas = surface.canvas();
    canvas.SetFontName(kMinchoFace);
    canvas.SetFontHeight(40);
    const int cell = canvas.TextHeight("分");
    canvas.SetFontHeight(0);
    canvas.SetFontHeight(-13);
    EXPECT_EQ(canvas.TextHeight("分"), cell);
}

TEST(QPainterCanvas, TextIsPlacedByItsTopLeftCorner)
{
    for (const char* face : {kGothicFace, kMinchoFace}) {
        SCOPED_TRACE(face);
        Surface surface;
        QPainterCanvas& canvas = surface.canvas();
        canvas.SetBrushStyle(BrushStyle::Clear);
        canvas.SetFontName(face);
        canvas.SetFontHeight(40);
        const int cell = canvas.TextHeight("分");
        const int width = canvas.TextWidth("分");
        canvas.TextOut(30, 50, "分");
        const auto ink = InkBounds(surface.image());
        ASSERT_TRUE(ink.has_value());
        // The glyph sits inside its cell, just under the cell's top.
        EXPECT_GE(ink->top(), 50);
        EXPECT_LE(ink->top(), 50 + cell / 6);
        EXPECT_LE(ink->bottom(), 50 + cell - 1);
        EXPECT_GE(ink->left(), 30);
        EXPECT_LE(ink->left(), 30 + width / 6);
        EXPECT_LE(ink->right(), 30 + width - 1);
    }
}

TEST(QPainterCanvas, BrushDecidesTheTextBackground)
{
    const QColor background(200, 40, 40);
    const struct {
        BrushStyle style;
        QColor cellColour;
    } rows[] = {{BrushStyle::Clear, background}, {BrushStyle::Solid, QColor(40, 40, 220)}};
    for (const auto& row : rows) {
        Surface surface(QSize(200, 120), background);
        QPainterCanvas& canvas = surface.canvas();
        canvas.SetBrushColor({40, 40, 220});
        canvas.SetBrushStyle(row.style);
        canvas.SetFontName(kGothicFace);
        canvas.SetFontHeight(30);
        const int width = canvas.TextWidth("1");
        const int cell = canvas.TextHeight("1");
        canvas.TextOut(20, 10, "1");
        const QImage& image = surface.image();
        // The corners of the text cell hold no ink of "1".
        EXPECT_EQ(image.pixelColor(20, 10), row.cellColour);
        EXPECT_EQ(image.pixelColor(20 + width - 1, 10 + cell - 1), row.cellColour);
        EXPECT_EQ(image.pixelColor(20 + width, 10), background);
        EXPECT_EQ(image.pixelColor(20, 10 + cell), background);
        EXPECT_TRUE(IsInk(image.pixel(20 + width / 2, 10 + cell / 2)));
    }
}

TEST(QPainterCanvas, RectangleLeavesOutItsRightAndBottomEdges)
{
    const QColor fill(0, 160, 0);
    const QColor outline(0, 0, 0);
    const struct {
        const char* name;
        BrushStyle style;
        QColor inside;
    } rows[] = {{"solid brush", BrushStyle::Solid, fill}, {"clear brush", BrushStyle::Clear, kPaper}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Surface surface;
        QPainterCanvas& canvas = surface.canvas();
        canvas.SetPenColor(kBlack);
        canvas.SetBrushColor({0, 160, 0});
        canvas.SetBrushStyle(row.style);
        canvas.Rectangle(10, 20, 30, 35);
        const QImage& image = surface.image();
        const struct {
            int x, y;
            QColor colour;
        } pixels[] = {
            {10, 20, outline},    {29, 20, outline},    {10, 34, outline},    {29, 34, outline},
            {20, 20, outline},    {20, 34, outline},    {10, 27, outline},    {29, 27, outline},
            {11, 21, row.inside}, {28, 33, row.inside}, {20, 27, row.inside}, {30, 27, kPaper},
            {20, 35, kPaper},     {9, 27, kPaper},      {20, 19, kPaper},     {30, 35, kPaper},
        };
        for (const auto& p : pixels) {
            EXPECT_EQ(image.pixelColor(p.x, p.y), p.colour) << "(" << p.x << ", " << p.y << ")";
        }
    }
}

TEST(QPainterCanvas, RectangleInThePenColourCoversItsWholeArea)
{
    // The sheet's background: white pen and white brush over the full area.
    Surface surface(QSize(40, 30), QColor(90, 90, 90));
    QPainterCanvas& canvas = surface.canvas();
    canvas.SetBrushStyle(BrushStyle::Solid);
    canvas.SetBrushColor(kWhite);
    canvas.SetPenColor(kWhite);
    canvas.Rectangle(0, 0, 39, 29);
    const QImage& image = surface.image();
    int white = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) white += image.pixelColor(x, y) == kPaper ? 1 : 0;
    }
    EXPECT_EQ(white, 39 * 29);
    EXPECT_NE(image.pixelColor(39, 0), kPaper);
    EXPECT_NE(image.pixelColor(0, 29), kPaper);
}

// Dark pixels in column x, and in row y.
int InkInColumn(const QImage& image, int x)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y) n += IsInk(image.pixel(x, y)) ? 1 : 0;
    return n;
}
int InkInRow(const QImage& image, int y)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x) n += IsInk(image.pixel(x, y)) ? 1 : 0;
    return n;
}

TEST(QPainterCanvas, PenWidthIsInDevicePixels)
{
    const struct {
        int width, thickness;
    } rows[] = {{1, 1}, {2, 2}, {0, 1}, {5, 5}};
    for (const auto& row : rows) {
        SCOPED_TRACE("pen width " + std::to_string(row.width));
        Surface surface;
        QPainterCanvas& canvas = surface.canvas();
        canvas.SetPenWidth(row.width);
        canvas.MoveTo(20, 40);
        canvas.LineTo(60, 40);
        const QImage& image = surface.image();
        EXPECT_EQ(InkInColumn(image, 30), row.thickness);
        // From the start point up to, not including, the end point.
        const auto ink = InkBounds(image);
        ASSERT_TRUE(ink.has_value());
        EXPECT_EQ(ink->left(), 20);
        EXPECT_EQ(ink->right(), 59);
        EXPECT_EQ(InkInRow(image, ink->top()), 40);
        EXPECT_LE(ink->top(), 40);
        EXPECT_GE(ink->bottom(), 40);
    }
}

TEST(QPainterCanvas, NegativePenWidthIsIgnored)
{
    Surface surface;
    QPainterCanvas& canvas = surface.canvas();
    canvas.SetPenWidth(2);
    canvas.SetPenWidth(-1);
    canvas.MoveTo(20, 40);
    canvas.LineTo(60, 40);
    EXPECT_EQ(InkInColumn(surface.image(), 30), 2);
}

TEST(QPainterCanvas, LinesChainFromTheCurrentPoint)
{
    Surface surface;
    QPainterCanvas& canvas = surface.canvas();
    canvas.SetPenColor({0, 0, 255});
    canvas.MoveTo(10, 10);
    canvas.LineTo(50, 10);
    canvas.LineTo(50, 60);
    canvas.MoveTo(100, 100);
    canvas.LineTo(120, 100);
    const QImage& image = surface.image();
    const QColor blue(0, 0, 255);
    EXPECT_EQ(image.pixelColor(10, 10), blue);
    EXPECT_EQ(image.pixelColor(49, 10), blue);
    EXPECT_EQ(image.pixelColor(50, 10), blue);  // the second line's start
    EXPECT_EQ(image.pixelColor(50, 59), blue);
    EXPECT_EQ(image.pixelColor(50, 60), kPaper);
    EXPECT_EQ(image.pixelColor(100, 100), blue);
    // MoveTo draws nothing between the two paths.
    EXPECT_EQ(image.pixelColor(75, 80), kPaper);
    EXPECT_EQ(image.pixelColor(50, 61), kPaper);
}

TEST(QPainterCanvas, MetricsAgreeBetweenImageAndPdf)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    QPainter pdfPainter(&pdf);
    QPainterCanvas onPdf(pdfPainter);
    Surface surface;
    QPainterCanvas& onImage = surface.canvas();
    for (QPainterCanvas* canvas : {&onPdf, &onImage}) {
        canvas->SetFontName(kMinchoFace);
        canvas->SetFontHeight(202);
    }
    EXPECT_EQ(onPdf.TextHeight("3"), onImage.TextHeight("3"));
    EXPECT_EQ(onPdf.TextWidth("15"), onImage.TextWidth("15"));
    EXPECT_EQ(onPdf.TextWidth("問題No.1"), onImage.TextWidth("問題No.1"));
}

}  // namespace
}  // namespace tavrimo
