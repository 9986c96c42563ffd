#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "problems/sheet.h"
#include "session/print_sequence.h"

class QIODevice;
class QPainter;

namespace tavrimo {

inline constexpr int kPdfDpi = 600;
inline constexpr int kDefaultPngDpi = 150;
inline constexpr int kMinPngDpi = 10;
inline constexpr int kMaxPngDpi = 600;

// Draws the page onto width x height device pixels of the painter's device.
// The page's table is copied: the answers drawn are computed into the copy.
void PaintSheet(QPainter& painter, int width, int height, const SheetPage& page);

// The page on a white A4 portrait image at dpi.
QImage RenderSheetImage(const SheetPage& page, int dpi);

// The page as the window's 320 x 441 preview box shows it: with answers, the
// box's background where the sheet leaves it uncovered.
QImage RenderPreviewImage(const SheetPage& page);

// How a PNG writer draws each page.
using PageRenderer = std::function<QImage(const SheetPage&)>;

// Pages written one at a time, so a long run never holds them all. Every call
// returns an empty text on success, otherwise a short Japanese message for the
// user that names the file and, for a failed write, the system's reason.
//
// A file target is written under temporary names and put in place only by
// Commit, so a failure (or a run that stops before Commit, a stop signal
// included) leaves no partial file and every existing file as it was. A
// symbolic link at a target's name is followed (FollowLinks). A stream target (a device, a FIFO,
// standard output) is written as the pages come; Commit has nothing to do.
class SheetFileWriter {
public:
    virtual ~SheetFileWriter() = default;
    virtual QString Add(const SheetPage& page) = 0;
    // Completes the output; a file target stays under its temporary names.
    virtual QString Finish() = 0;
    virtual QString Commit() = 0;
};

struct OpenedWriter {
    std::unique_ptr<SheetFileWriter> writer;  // null when opening failed
    QString error;
};

// A4 portrait at 600 dpi with no margins, one page per sheet, fonts embedded.
OpenedWriter OpenPdfFile(const QString& path);
// The same document into an open device, named in messages by name (empty:
// standard output).
OpenedWriter OpenPdfStream(QIODevice& device, const QString& name);

// One PNG per page: path itself for one page, otherwise the numbered names of
// PngFileNames, all put in place together by Commit.
OpenedWriter OpenPngFiles(const QString& path, PageRenderer render);
// A single PNG into an open device: a second page is an error.
OpenedWriter OpenPngStream(QIODevice& device, const QString& name, PageRenderer render);

// Whole documents at once, every page of every sheet, through the writers
// above. WriteSheetsPng refuses a dpi outside kMinPngDpi..kMaxPngDpi before
// touching any file.
QString WriteSheetsPdf(const QString& path, const std::vector<Sheet>& pages);
QString WriteSheetsPdf(QIODevice& device, const std::vector<Sheet>& pages);
QString WriteSheetsPng(const QString& path, const std::vector<Sheet>& pages, int dpi = kDefaultPngDpi);
QString WritePreviewPng(const QString& path, const Sheet& sheet);

// FILE.png for one page; FILE-1.png, FILE-2.png... for more (the number goes
// before a ".png" ending, or at the end of a name without it).
QStringList PngFileNames(const QString& path, int pageCount);

}  // namespace tavrimo
