#include "cli/sheet_files.h"

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
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

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

// Pages into one PDF document, drawn as they come: QPdfWriter writes each
// finished page out, so memory does not grow with the page count.
class PdfSheetWriter final : public SheetFileWriter {
public:
    PdfSheetWriter(QIODevice& device, QString name, std::unique_ptr<QSaveFile> file = nullptr)
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
        if (pages_ == 0 && !painter_.begin(&writer_)) return QStringLiteral("PDF を作成できません");
        if (pages_ > 0 && !writer_.newPage()) return QStringLiteral("PDF のページを追加できません");
        PaintSheet(painter_, writer_.width(), writer_.height(), page);
        ++pages_;
        return DeviceFault(device_, name_, false);
    }

    QString Finish() override
    {
        if (pages_ == 0) return NoPagesError();
        if (!painter_.end()) return QStringLiteral("PDF を作成できません");
        return DeviceFault(device_, name_, true);
    }

    QString Commit() override
    {
        if (file_ && !file_->commit()) return WriteError(name_, file_->errorString());
        return {};
    }

private:
    std::unique_ptr<QSaveFile> file_;  // for a file target; the device is then this file
    QIODevice& device_;
    QString name_;
    QPdfWriter writer_;
    QPainter painter_;
    int pages_ = 0;
};

// A page as one PNG into a device, with the device's reason when it fails.
QString WritePng(QIODevice& device, const QString& name, const QImage& image)
{
    if (image.isNull()) return QStringLiteral("画像を作成できません");
    QImageWriter writer(&device, "png");
    const bool written = writer.write(image);
    if (QString fault = DeviceFault(device, name, true); !fault.isEmpty()) return fault;
    return written ? QString() : WriteError(name, writer.errorString());
}

// Each page to a closed file in a temporary folder beside the target, so no
// file stays open and nothing is in place until every page was written; then
// the files are renamed onto their names.
class PngFilesWriter final : public SheetFileWriter {
public:
    PngFilesWriter(QString path, PageRenderer render)
        : path_(std::move(path)),
          render_(std::move(render)),
          folder_(QFileInfo(path_).absolutePath() + QStringLiteral("/.tavrimo-XXXXXX"))
    {
    }

    QString OpenError() const
    {
        return folder_.isValid() ? QString() : WriteError(path_, folder_.errorString());
    }

    QString Add(const SheetPage& page) override
    {
        QFile file(PagePath(pages_ + 1));
        if (!file.open(QIODevice::WriteOnly)) return WriteError(path_, file.errorString());
        if (QString error = WritePng(file, path_, render_(page)); !error.isEmpty()) return error;
        ++pages_;
        return {};
    }

    QString Finish() override { return pages_ == 0 ? NoPagesError() : QString(); }

    QString Commit() override
    {
        const QStringList names = PngFileNames(path_, pages_);
        // Checked before any rename, so a name taken by a folder or a device
        // leaves every target as it was.
        for (const QString& name : names) {
            const QFileInfo target(name);
            if (target.exists() && !target.isFile())
                return WriteError(name, QStringLiteral("通常のファイルではありません"));
        }
        for (int i = 0; i < pages_; ++i) {
            std::error_code error;
            std::filesystem::rename(PagePath(i + 1).toStdString(), names[i].toStdString(), error);
            if (error) return WriteError(names[i], QString::fromStdString(error.message()));
        }
        return {};
    }

private:
    QString PagePath(int page) const { return folder_.filePath(QStringLiteral("%1.png").arg(page)); }

    QString path_;
    PageRenderer render_;
    QTemporaryDir folder_;
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
        return WritePng(device_, name_, render_(page));
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
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly)) return {nullptr, WriteError(path, file->errorString())};
    QSaveFile& device = *file;
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
