#include "cli/sheet_files.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "cli/output_links.h"
#include "cli/staging_folder.h"
#include "cli/stop_signals.h"
#include "cli/whole_writes.h"
#include "render/sheet_layout.h"
#include "runtime/qt/qpainter_canvas.h"
#include "session/print_sequence.h"

namespace tavrimo {
namespace {

// An empty name stands for standard output.
QString WriteError(const QString& path, const QString& reason)
{
    if (path.isEmpty()) return QStringLiteral("標準出力に書き込めません（%1）").arg(reason);
    return QStringLiteral("ファイル %1 を書き込めません（%2）").arg(QDir::toNativeSeparators(path), reason);
}

QString NoPagesError()
{
    return QStringLiteral("書き出すページがありません");
}

// A stop signal came while the pages were under temporary names.
QString StoppedError()
{
    return QStringLiteral("中断しました（ファイルは書き出していません）");
}

// A write the device refused, with the system's reason; "" when it took
// everything so far. Buffered files are flushed first when finishing.
QString DeviceFault(QIODevice& device, const QString& name, bool flush)
{
    auto* file = qobject_cast<QFileDevice*>(&device);
    if (file == nullptr) return {};
    if (flush) file->flush();
    if (file->error() == QFileDevice::NoError) return {};
    return WriteError(name, file->errorString());
}

int DotsPerMeter(int dpi)
{
    return static_cast<int>(std::lround(dpi / 0.0254));
}

}  // namespace

void PaintSheet(QPainter& painter, int width, int height, const SheetPage& page)
{
    QPainterCanvas canvas(painter);
    Sheet copy = page.sheet;  // drawing the answers writes them into the table
    DrawPage(canvas, width, height, copy, page.page);
}

QImage RenderSheetImage(const SheetPage& page, int dpi)
{
    const QSize size = QPageSize(QPageSize::A4).sizePixels(dpi);
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.setDotsPerMeterX(DotsPerMeter(dpi));
    image.setDotsPerMeterY(DotsPerMeter(dpi));
    // The sheet's own background follows the 320 : 441 reference area, a
    // little narrower than A4; the rest of the paper is white as well.
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintSheet(painter, image.width(), image.height(), page);
    return image;
}

QImage RenderPreviewImage(const SheetPage& page)
{
    QImage image(kReferenceWidth, kReferenceHeight, QImage::Format_RGB32);
    // The sheet's background stops one pixel short of the right and bottom
    // edges, where the box shows the window's colour.
    image.fill(QGuiApplication::palette().color(QPalette::Window));
    SheetPage preview = page;
    preview.sheet.ShowAnswers = true;
    QPainter painter(&image);
    PaintSheet(painter, kReferenceWidth, kReferenceHeight, preview);
    return image;
}

namespace {

// A PDF file under a temporary name beside its target, written in whole
// writes so a full disk is reported with the system's reason.
struct PdfFile {
    StopGuard stop;  // first: armed before the temporary file exists, until it is gone
    QSaveFile file;
    std::optional<WholeWriteBuffer> buffer;

    explicit PdfFile(const QString& path) : file(path) {}
    bool Open()
    {
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
        buffer.emplace(file);
        return true;
    }
};

// Pages into one PDF document, drawn as they come: QPdfWriter writes each
// finished page out, so memory does not grow with the page count.
class PdfSheetWriter final : public SheetFileWriter {
public:
    PdfSheetWriter(QIODevice& device, QString name, std::unique_ptr<PdfFile> file = nullptr)
        : file_(std::move(file)), device_(device), name_(std::move(name)), writer_(&device_)
    {
        writer_.setTitle(QString::fromUtf8(kDocumentTitle));
        writer_.setCreator(QStringLiteral("Tavrimo"));
        writer_.setResolution(kPdfDpi);
        writer_.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    }

    QString Add(const SheetPage& page) override
    {
        if (file_ && StopRequested()) return StoppedError();
        if (pages_ == 0 && !painter_.begin(&writer_)) return QStringLiteral("PDF を作成できません");
        if (pages_ > 0 && !writer_.newPage()) return QStringLiteral("PDF のページを追加できません");
        PaintSheet(painter_, writer_.width(), writer_.height(), page);
        ++pages_;
        return Fault(false);
    }

    QString Finish() override
    {
        if (pages_ == 0) return NoPagesError();
        if (!painter_.end()) return QStringLiteral("PDF を作成できません");
        return Fault(true);
    }

    QString Commit() override
    {
        if (file_ && !file_->file.commit()) return WriteError(name_, file_->file.errorString());
        return {};
    }

private:
    QString Fault(bool finishing)
    {
        if (!file_) return DeviceFault(device_, name_, finishing);
        if (finishing) file_->buffer->Drain();
        const QString reason = file_->buffer->Fault();
        return reason.isEmpty() ? QString() : WriteError(name_, reason);
    }

    std::unique_ptr<PdfFile> file_;  // for a file target; the device is then its buffer
    QIODevice& device_;
    QString name_;
    QPdfWriter writer_;
    QPainter painter_;
    int pages_ = 0;
};

// A page as PNG bytes, made in memory: libpng then never meets a failing
// device, where it would print its own message on stderr.
QByteArray EncodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !QImageWriter(&buffer, "png").write(image)) return {};
    return bytes;
}

QString ImageError()
{
    return QStringLiteral("画像を作成できません");
}

// Each page to a closed file in a staging folder beside the target, so no
// file stays open and nothing is in place until every page was written; then
// the files are renamed onto their names, as one group: runs that write the
// same names take turns, so a finished set of files is one run's.
class PngFilesWriter final : public SheetFileWriter {
public:
    PngFilesWriter(QString path, PageRenderer render)
        : path_(std::move(path)), render_(std::move(render)), folder_(QFileInfo(path_).absolutePath())
    {
    }

    QString OpenError() const
    {
        return folder_.isValid() ? QString() : WriteError(path_, folder_.errorString());
    }

    QString Add(const SheetPage& page) override
    {
        if (StopRequested()) return StoppedError();
        const QByteArray png = EncodePng(render_(page));
        if (png.isEmpty()) return ImageError();
        QFile file(PagePath(pages_ + 1));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !WriteWhole(file, png))
            return WriteError(path_, file.errorString());
        ++pages_;
        return {};
    }

    QString Finish() override { return pages_ == 0 ? NoPagesError() : QString(); }

    QString Commit() override
    {
        const FolderLock group(QFileInfo(path_).absolutePath(), FolderLock::Wait::Yes);
        const QStringList names = PngFileNames(path_, pages_);
        // Checked before any rename, so a name taken by a folder or a device,
        // or a link to nowhere, leaves every target as it was.
        QStringList targets;
        for (const QString& name : names) {
            const FollowedName target = FollowLinks(name);
            if (!target.error.isEmpty()) return target.error;
            const QFileInfo info(target.path);
            if (info.exists() && !info.isFile())
                return WriteError(name, QStringLiteral("通常のファイルではありません"));
            targets << target.path;
        }
        for (int i = 0; i < pages_; ++i) {
            if (QString error = PlaceFile(PagePath(i + 1), targets[i]); !error.isEmpty())
                return WriteError(names[i], error);
        }
        return {};
    }

private:
    QString PagePath(int page) const { return folder_.filePath(QStringLiteral("%1.png").arg(page)); }

    // Renames the page onto its target; a target a link put on another file
    // system gets a copy under a temporary name beside it, renamed in turn.
    static QString PlaceFile(const QString& page, const QString& target)
    {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(page).toStdString(),
                                QFile::encodeName(target).toStdString(), error);
        if (!error) return {};
        if (error != std::errc::cross_device_link) return QString::fromStdString(error.message());
        QFile from(page);
        QSaveFile to(target);
        if (!from.open(QIODevice::ReadOnly)) return from.errorString();
        if (!to.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || !WriteWhole(to, from.readAll()) ||
            !to.commit())
            return to.errorString();
        return {};
    }

    StopGuard stop_;  // first: armed until the staging folder is gone
    QString path_;
    PageRenderer render_;
    StagingFolder folder_;
    int pages_ = 0;
};

class PngStreamWriter final : public SheetFileWriter {
public:
    PngStreamWriter(QIODevice& device, QString name, PageRenderer render)
        : device_(device), name_(std::move(name)), render_(std::move(render))
    {
    }

    QString Add(const SheetPage& page) override
    {
        if (written_)
            return QStringLiteral("%1 には PNG を1ページしか書けません")
                .arg(name_.isEmpty() ? "標準出力" : name_);
        written_ = true;
        const QByteArray png = EncodePng(render_(page));
        if (png.isEmpty()) return ImageError();
        device_.write(png);
        return DeviceFault(device_, name_, true);
    }

    QString Finish() override { return written_ ? QString() : NoPagesError(); }
    QString Commit() override { return {}; }

private:
    QIODevice& device_;
    QString name_;
    PageRenderer render_;
    bool written_ = false;
};

QString WriteAll(OpenedWriter opened, const std::vector<Sheet>& sheets)
{
    if (!opened.writer) return opened.error;
    for (const Sheet& sheet : sheets) {
        for (int page = 0; page < PageCount(sheet); ++page) {
            if (QString error = opened.writer->Add({sheet, page}); !error.isEmpty()) return error;
        }
    }
    if (QString error = opened.writer->Finish(); !error.isEmpty()) return error;
    return opened.writer->Commit();
}

}  // namespace

OpenedWriter OpenPdfFile(const QString& path)
{
    const FollowedName target = FollowLinks(path);
    if (!target.error.isEmpty()) return {nullptr, target.error};
    auto file = std::make_unique<PdfFile>(target.path);
    if (!file->Open()) return {nullptr, WriteError(path, file->file.errorString())};
    QIODevice& device = *file->buffer;
    return {std::make_unique<PdfSheetWriter>(device, path, std::move(file)), {}};
}

OpenedWriter OpenPdfStream(QIODevice& device, const QString& name)
{
    return {std::make_unique<PdfSheetWriter>(device, name), {}};
}

OpenedWriter OpenPngFiles(const QString& path, PageRenderer render)
{
    auto writer = std::make_unique<PngFilesWriter>(path, std::move(render));
    if (QString error = writer->OpenError(); !error.isEmpty()) return {nullptr, error};
    return {std::move(writer), {}};
}

OpenedWriter OpenPngStream(QIODevice& device, const QString& name, PageRenderer render)
{
    return {std::make_unique<PngStreamWriter>(device, name, std::move(render)), {}};
}

QString WriteSheetsPdf(const QString& path, const std::vector<Sheet>& pages)
{
    if (pages.empty()) return NoPagesError();
    return WriteAll(OpenPdfFile(path), pages);
}

QString WriteSheetsPdf(QIODevice& device, const std::vector<Sheet>& pages)
{
    return WriteAll(OpenPdfStream(device, QStringLiteral("PDF")), pages);
}

QString WriteSheetsPng(const QString& path, const std::vector<Sheet>& pages, int dpi)
{
    if (pages.empty()) return NoPagesError();
    if (dpi < kMinPngDpi || dpi > kMaxPngDpi) {
        return QStringLiteral("解像度は %1 から %2 dpi の範囲で指定してください")
            .arg(kMinPngDpi)
            .arg(kMaxPngDpi);
    }
    return WriteAll(OpenPngFiles(path, [dpi](const SheetPage& page) { return RenderSheetImage(page, dpi); }),
                    pages);
}

QString WritePreviewPng(const QString& path, const Sheet& sheet)
{
    // The box shows the first page only.
    auto opened = OpenPngFiles(path, RenderPreviewImage);
    if (!opened.writer) return opened.error;
    if (QString error = opened.writer->Add({sheet, 0}); !error.isEmpty()) return error;
    if (QString error = opened.writer->Finish(); !error.isEmpty()) return error;
    return opened.writer->Commit();
}

QStringList PngFileNames(const QString& path, int pageCount)
{
    if (pageCount == 1) return {path};
    const bool pngEnding = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    const QString stem = pngEnding ? path.chopped(4) : path;
    const QString ending = pngEnding ? path.right(4) : QString();
    QStringList names;
    for (int i = 1; i <= pageCount; ++i) names << QStringLiteral("%1-%2%3").arg(stem).arg(i).arg(ending);
    return names;
}

}  // namespace tavrimo
