#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

#include "problems/sheet.h"

class QIODevice;
class QPainter;

namespace tavrimo {

inline constexpr int kPdfDpi = 600;
inline constexpr int kDefaultPngDpi = 150;
inline constexpr int kMinPngDpi = 10;
inline constexpr int kMaxPngDpi = 600;

// Draws the page with DrawSheet onto width x height device pixels of the
// painter's device. The page's table is copied: the answers drawn are
// computed into the copy.
void PaintSheet(QPainter& painter, int width, int height, const Sheet& page);

// The page on a white A4 portrait image at dpi.
QImage RenderSheetImage(const Sheet& page, int dpi);

// The page as the window's 320 x 441 preview box shows it: with answers, the
// box's background where the sheet leaves it uncovered.
QImage RenderPreviewImage(const Sheet& page);

// Each function below returns an empty text on success, otherwise a short
// Japanese message for the user. A file is written under a temporary name and
// renamed when complete: a failure leaves no partial file and leaves an
// existing file as it was.

// A4 portrait at 600 dpi with no margins, one page per sheet, fonts embedded.
QString WriteSheetsPdf(const QString& path, const std::vector<Sheet>& pages);
// The same document into an open device.
QString WriteSheetsPdf(QIODevice& device, const std::vector<Sheet>& pages);

// One PNG per page at dpi: path itself for one page, otherwise the numbered
// names of PngFileNames. Either all files are written or none.
QString WriteSheetsPng(const QString& path, const std::vector<Sheet>& pages, int dpi = kDefaultPngDpi);

// The preview image of the page as a PNG.
QString WritePreviewPng(const QString& path, const Sheet& page);

// FILE.png for one page; FILE-1.png, FILE-2.png... for more (the number goes
// before a ".png" ending, or at the end of a name without it).
QStringList PngFileNames(const QString& path, int pageCount);

}  // namespace tavrimo
