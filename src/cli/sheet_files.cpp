#include "cli/sheet_files.h"

#include <QDir>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QSaveFile>
#include <cmath>
#include <memory>

#include "render/sheet_layout.h"
#include "runtime/qt/qpainter_canvas.h"
#include "session/print_sequence.h"

namespace tavrimo {
namespace {

QString WriteError(const QString& path, const QString& reason)
{
    return QStringLiteral("ファイル %1 を書き込めません（%2）").arg(QDir::toNativeSeparators(path), reason);
}

QString NoPagesError()
{
    return QStringLiteral("書き出すページがありません");
}

int DotsPerMeter(int dpi)
{
    return static_cast<int>(std::lround(dpi / 0.0254));
}

}  // namespace

void PaintSheet(QPainter& painter, int width, int height, const Sheet& page)
{
    Sheet copy = page;  // drawing the answers writes them into the table
    QPainterCanvas canvas(painter);
    DrawSheet(canvas, width, height, copy);
}

QImage RenderSheetImage(const Sheet& page, int dpi)
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

QImage RenderPreviewImage(const Sheet& page)
{
    QImage image(kReferenceWidth, kReferenceHeight, QImage::Format_RGB32);
    // The sheet's background stops one pixel short of the right and bottom
    // edges, where the box shows the window's colour.
    image.fill(QGuiApplication::palette().color(QPalette::Window));
    Sheet preview = page;
    preview.ShowAnswers = true;
    QPainter painter(&image);
    PaintSheet(painter, kReferenceWidth, kReferenceHeight, preview);
    return image;
}

QString WriteSheetsPdf(QIODevice& device, const std::vector<Sheet>& pages)
{
    if (pages.empty()) return NoPagesError();
    QPdfWriter writer(&device);
    writer.setTitle(QString::fromUtf8(kDocumentTitle));
    writer.setCreator(QStringLiteral("Tavrimo"));
    writer.setResolution(kPdfDpi);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));

    QPainter painter;
    if (!painter.begin(&writer)) return QStringLiteral("PDF を作成できません");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !writer.newPage()) {
            painter.end();
            return QStringLiteral("PDF のページを追加できません");
        }
        PaintSheet(painter, writer.width(), writer.height(), pages[i]);
    }
    if (!painter.end()) return QStringLiteral("PDF を作成できません");
    return {};
}

QString WriteSheetsPdf(const QString& path, const std::vector<Sheet>& pages)
{
    if (pages.empty()) return NoPagesError();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return WriteError(path, file.errorString());
    if (QString error = WriteSheetsPdf(static_cast<QIODevice&>(file), pages); !error.isEmpty()) {
        file.cancelWriting();
        return error;
    }
    if (!file.commit()) return WriteError(path, file.errorString());
    return {};
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

QString WriteSheetsPng(const QString& path, const std::vector<Sheet>& pages, int dpi)
{
    if (pages.empty()) return NoPagesError();
    if (dpi < kMinPngDpi || dpi > kMaxPngDpi) {
        return QStringLiteral("解像度は %1 から %2 dpi の範囲で指定してください")
            .arg(kMinPngDpi)
            .arg(kMaxPngDpi);
    }
    const QStringList names = PngFileNames(path, static_cast<int>(pages.size()));
    // Every file is kept uncommitted until all are written, so a failure on
    // any page leaves every target as it was.
    std::vector<std::unique_ptr<QSaveFile>> files;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const QString& name = names[static_cast<qsizetype>(i)];
        auto file = std::make_unique<QSaveFile>(name);
        if (!file->open(QIODevice::WriteOnly)) return WriteError(name, file->errorString());
        const QImage image = RenderSheetImage(pages[i], dpi);
        if (image.isNull()) return QStringLiteral("画像を作成できません（%1 dpi）").arg(dpi);
        if (!image.save(file.get(), "PNG")) return WriteError(name, file->errorString());
        files.push_back(std::move(file));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!files[i]->commit()) return WriteError(names[static_cast<qsizetype>(i)], files[i]->errorString());
    }
    return {};
}

QString WritePreviewPng(const QString& path, const Sheet& page)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return WriteError(path, file.errorString());
    if (!RenderPreviewImage(page).save(&file, "PNG")) return WriteError(path, file.errorString());
    if (!file.commit()) return WriteError(path, file.errorString());
    return {};
}

}  // namespace tavrimo
