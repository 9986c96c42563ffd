#include "runtime/sheet_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <optional>

#include "qt_printers.h"

namespace tavrimo {
namespace {

// A sheet of count problems, each 3 2/15 - 1 1/15 with a different whole part.
SheetPage MakePage(int count, bool answers, int number)
{
    SheetPage page;
    for (int i = 1; i <= count; ++i) {
        page.table.Minuend[i] = {3 + i % 4, 2, 15};
        page.table.Subtrahend[i] = {1, 1, 15};
    }
    page.QuestionCount = count;
    page.PrintNumber = number;
    page.ShowAnswers = answers;
    page.QuestionText = "つぎの計算をしましょう。";
    return page;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// The output of a poppler tool, or nothing when it is not installed.
std::optional<QString> RunTool(const QString& tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

TEST(SheetFiles, PdfIsTitledA4PortraitWithOnePagePerSheetAndEmbeddedFonts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheets.pdf"));
    const std::vector<SheetPage> pages{MakePage(16, false, 7), MakePage(16, true, 7), MakePage(20, true, 8)};
    ASSERT_EQ(WriteSheetsPdf(path, pages), QString());

    const auto info = RunTool(QStringLiteral("pdfinfo"),
                              {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"),
                               QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("9"), path});
    const auto fonts = RunTool(QStringLiteral("pdffonts"), {path});
    if (!info || !fonts) GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Title: +Tavrimo引き算分数編\n"))))
        << info->toStdString();
    EXPECT_TRUE(info->contains(QRegularExpression(QStringLiteral("Pages: +3\n")))) << info->toStdString();
    // Qt writes the page in whole points, 595 x 842, which poppler takes for A4.
    const QRegularExpression a4(
        QStringLiteral("Page +\\d+ size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)\n"));
    EXPECT_EQ(info->count(a4), 3) << info->toStdString();

    // Two heading lines, then one line per font; counted from the right, as
    // the type may hold a space: object number, generation, uni, sub, emb.
    QStringList rows = fonts->split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(rows.isEmpty()) << fonts->toStdString();
    for (const QString& row : rows) {
        const QStringList columns = row.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 6);
        EXPECT_EQ(columns[columns.size() - 5], QStringLiteral("yes")) << row.toStdString();
    }
}

TEST(SheetFiles, UnwritablePathIsAnErrorNamingIt)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("no-such-folder/sheets.pdf"));
    const std::vector<SheetPage> pages{MakePage(16, false, 1)};
    for (const QString& error : {WriteSheetsPdf(missing, pages), WriteSheetsPng(missing, pages),
                                 WritePreviewPng(missing, pages[0])}) {
        EXPECT_TRUE(error.contains(QStringLiteral("no-such-folder"))) << error.toStdString();
    }
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_FALSE(WriteSheetsPdf(dir.filePath(QStringLiteral("x.pdf")), {}).isEmpty());
}

TEST(SheetFiles, FailedWriteLeavesExistingFilesIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.png"));
    WriteText(dir.filePath(QStringLiteral("sheet-1.png")), "old first page");
    // The second page's name is taken by a folder, so its file cannot be made.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sheet-2.png")));
    const std::vector<SheetPage> pages{MakePage(16, false, 1), MakePage(16, true, 1)};

    EXPECT_FALSE(WriteSheetsPng(path, pages).isEmpty());
    EXPECT_EQ(ReadAll(dir.filePath(QStringLiteral("sheet-1.png"))), QByteArray("old first page"));
    // Nothing is left behind under a temporary name.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({QStringLiteral("sheet-1.png"), QStringLiteral("sheet-2.png")}));

    // A bad resolution is refused before any file is touched.
    const QString existing = dir.filePath(QStringLiteral("old.png"));
    WriteText(existing, "old");
    EXPECT_FALSE(WriteSheetsPng(existing, {pages[0]}, 0).isEmpty());
    EXPECT_EQ(ReadAll(existing), QByteArray("old"));
}

TEST(SheetFiles, WritingReplacesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheets.pdf"));
    WriteText(path, "old");
    ASSERT_EQ(WriteSheetsPdf(path, {MakePage(16, true, 1)}), QString());
    EXPECT_TRUE(ReadAll(path).startsWith("%PDF-"));
}

TEST(SheetFiles, PngNamesAreNumberedOnlyForSeveralPages)
{
    const struct {
        const char* path;
        int pages;
        QStringList names;
    } rows[] = {
        {"out/sheet.png", 1, {"out/sheet.png"}},
        {"out/sheet.png", 3, {"out/sheet-1.png", "out/sheet-2.png", "out/sheet-3.png"}},
        {"SHEET.PNG", 2, {"SHEET-1.PNG", "SHEET-2.PNG"}},
        {"sheet", 2, {"sheet-1", "sheet-2"}},
        {"a.b/sheet", 1, {"a.b/sheet"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(PngFileNames(QString::fromUtf8(row.path), row.pages), row.names)
            << row.path << " " << row.pages;
    }
}

TEST(SheetFiles, PngPagesAreA4AtTheirResolution)
{
    QTemporaryDir dir;
    const QString one = dir.filePath(QStringLiteral("one.png"));
    ASSERT_EQ(WriteSheetsPng(one, {MakePage(20, true, 1)}, 100), QString());
    const QImage image(one);
    // 210 x 297 mm at 100 dpi.
    EXPECT_NEAR(image.width(), 826.8, 1.0);
    EXPECT_NEAR(image.height(), 1169.3, 1.0);
    EXPECT_EQ(image.dotsPerMeterX(), 3937);

    const QString several = dir.filePath(QStringLiteral("two.png"));
    ASSERT_EQ(WriteSheetsPng(several, {MakePage(16, false, 1), MakePage(16, true, 1)}), QString());
    EXPECT_FALSE(QFile::exists(several));
    const QImage first(dir.filePath(QStringLiteral("two-1.png")));
    const QImage second(dir.filePath(QStringLiteral("two-2.png")));
    EXPECT_NEAR(first.width(), 1240.2, 1.0);
    EXPECT_NEAR(first.height(), 1753.9, 1.0);
    EXPECT_EQ(second.size(), first.size());
    // The answer page carries more ink than the problem page.
    EXPECT_NE(first, second);
}

TEST(SheetFiles, PreviewIsTheAnswerSheetAtThePreviewSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preview.png"));
    const SheetPage problems = MakePage(16, false, 3);
    ASSERT_EQ(WritePreviewPng(path, problems), QString());
    const QImage preview = QImage(path).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(preview.size(), QSize(320, 441));

    SheetPage answers = problems;
    answers.ShowAnswers = true;
    EXPECT_EQ(preview, RenderPreviewImage(answers));

    QImage withoutAnswers(320, 441, QImage::Format_RGB32);
    withoutAnswers.fill(preview.pixel(319, 440));
    {
        QPainter painter(&withoutAnswers);
        PaintSheetPage(painter, 320, 441, problems);
    }
    EXPECT_NE(preview, withoutAnswers);
    EXPECT_EQ(preview.pixelColor(0, 0), QColor(Qt::white));
}

}  // namespace
}  // namespace tavrimo
