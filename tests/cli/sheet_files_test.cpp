#include "cli/sheet_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <future>
#include <latch>
#include <set>

#include "runtime/qt/qt_printers.h"
#include "runtime/qt/run_program.h"

namespace tavrimo {
namespace {

// A sheet of count problems, each 3 2/15 - 1 1/15.
Sheet Page(int count, bool answers, int number)
{
    Sheet page{{}, count, number, answers, "つぎの計算をしましょう。"};
    page.table.Minuend.fill({3, 2, 15});
    page.table.Subtrahend.fill({1, 1, 15});
    return page;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(SheetFiles, PdfIsTitledA4PortraitWithOnePagePerSheetAndEmbeddedFonts)
{
    if (QStandardPaths::findExecutable("pdffonts").isEmpty()) GTEST_SKIP() << "no poppler-utils";
    QTemporaryDir dir;
    const QString path = dir.filePath("sheets.pdf");
    ASSERT_EQ(WriteSheetsPdf(path, {Page(16, false, 7), Page(16, true, 7), Page(20, true, 8)}), "");
    const QString info = testing::RunProgram("pdfinfo", {"-enc", "UTF-8", "-f", "1", "-l", "9", path}).out;
    const auto count = [&](const char* pattern) { return info.count(QRegularExpression(pattern)); };
    EXPECT_EQ(count("Title: +Tavrimo引き算分数編\n"), 1) << info;
    // Qt writes the page in whole points, 595 x 842, which poppler takes for A4.
    EXPECT_EQ(count("size: +595(\\.\\d+)? x 84[12](\\.\\d+)? pts \\(A4\\)"), 3) << info;
    // A line per font after two headings; "emb" is the fifth column from the right.
    const QStringList fonts =
        testing::RunProgram("pdffonts", {path}).out.split('\n', Qt::SkipEmptyParts).mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& row : fonts)
        EXPECT_EQ(row.section(' ', -5, -5, QString::SectionSkipEmpty), "yes") << row;
}

TEST(SheetFiles, FailedWritesNameThePathAndLeaveFilesAsTheyWere)
{
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(name); };
    const std::vector<Sheet> pages{Page(16, false, 1), Page(16, true, 1)};
    const QString missing = at("no-such-folder/sheets.pdf");
    for (const QString& error :
         {WriteSheetsPdf(missing, pages), WriteSheetsPng(missing, pages), WritePreviewPng(missing, pages[0])})
        EXPECT_TRUE(error.contains("no-such-folder")) << error;
    EXPECT_FALSE(WriteSheetsPdf(at("none.pdf"), {}).isEmpty());
    // The second page's name is taken by a folder: the first page's old file stays.
    ASSERT_EQ(WriteSheetsPng(at("sheet-1.png"), {pages[1]}), "");
    const QByteArray old = ReadAll(at("sheet-1.png"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("sheet-2.png"));
    EXPECT_FALSE(WriteSheetsPng(at("sheet.png"), pages).isEmpty());
    // A bad resolution is refused before any file is touched.
    EXPECT_FALSE(WriteSheetsPng(at("sheet-1.png"), {pages[0]}, 0).isEmpty());
    EXPECT_EQ(ReadAll(at("sheet-1.png")), old);
    // A write that succeeds replaces the file; no temporary file is left behind.
    ASSERT_TRUE(QFile::copy(at("sheet-1.png"), at("sheets.pdf")));
    ASSERT_EQ(WriteSheetsPdf(at("sheets.pdf"), pages), "");
    EXPECT_TRUE(ReadAll(at("sheets.pdf")).startsWith("%PDF-"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList({"sheet-1.png", "sheet-2.png", "sheets.pdf"}));
}

TEST(SheetFiles, PngPagesAreA4AtTheirResolutionAndNumberedWhenSeveral)
{
    EXPECT_EQ(PngFileNames("SHEET.PNG", 2), QStringList({"SHEET-1.PNG", "SHEET-2.PNG"}));
    EXPECT_EQ(PngFileNames("a.b/sheet", 2), QStringList({"a.b/sheet-1", "a.b/sheet-2"}));
    QTemporaryDir dir;
    ASSERT_EQ(WriteSheetsPng(dir.filePath("two.png"), {Page(16, false, 1), Page(20, true, 1)}, 100), "");
    const QImage first(dir.filePath("two-1.png")), second(dir.filePath("two-2.png"));
    // 210 x 297 mm at 100 dpi, within a pixel.
    EXPECT_NEAR(first.width(), 826.8, 1);
    EXPECT_NEAR(first.height(), 1169.3, 1);
    EXPECT_EQ(first.dotsPerMeterX(), 3937);
    EXPECT_EQ(second.size(), first.size());
    EXPECT_NE(first, second);  // the second carries the answers

    // The preview is the answer sheet, whatever the page asks for.
    Sheet page = Page(16, false, 3);
    ASSERT_EQ(WritePreviewPng(dir.filePath("preview.png"), page), "");
    const QImage preview = QImage(dir.filePath("preview.png")).convertToFormat(QImage::Format_RGB32);
    QImage withoutAnswers(320, 441, QImage::Format_RGB32);
    withoutAnswers.fill(preview.pixel(319, 440));
    QPainter painter(&withoutAnswers);
    PaintSheet(painter, 320, 441, {page, 0});
    painter.end();
    EXPECT_NE(preview, withoutAnswers);
    page.ShowAnswers = true;
    EXPECT_EQ(preview, RenderPreviewImage({page, 0}));
}

// A write that fails says why in the system's words, whether the pages go
// to a stream or to files, and files leave nothing behind.
TEST(SheetFiles, AFullDeviceGivesTheSystemsReason)
{
    const std::vector<Sheet> pages{Page(16, false, 1), Page(16, true, 1), Page(20, true, 2)};
    const PageRenderer at50 = [](const SheetPage& page) { return RenderSheetImage(page, 50); };
    for (const bool png : {false, true}) {
        QFile full("/dev/full");
        ASSERT_TRUE(full.open(QIODevice::WriteOnly));
        OpenedWriter opened = png ? OpenPngStream(full, "/dev/full", at50) : OpenPdfStream(full, "/dev/full");
        QString error = opened.writer->Add({pages[0], 0});
        if (error.isEmpty()) error = opened.writer->Finish();
        EXPECT_EQ(error, "ファイル /dev/full を書き込めません（No space left on device）") << png;
    }
}

TEST(SheetFiles, AFullDiskGivesTheSystemsReasonAndLeavesNoFile)
{
    QTemporaryDir dir;
    if (geteuid() != 0 ||
        QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", dir.path()}) != 0)
        GTEST_SKIP() << "a small file system needs root";
    const std::vector<Sheet> pages{Page(16, false, 1), Page(16, true, 1), Page(20, true, 2)};
    for (const QString& error :
         {WriteSheetsPng(dir.filePath("s.png"), pages), WriteSheetsPdf(dir.filePath("s.pdf"), pages)})
        EXPECT_TRUE(error.endsWith("（No space left on device）")) << error;
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
              QStringList());
    QProcess::execute("umount", {dir.path()});
}

// Runs writing the same PNG names take turns putting their pages in place, so the
// files come from one run, whichever finished last. A staging folder that no run holds
// (left by a run killed outright) is removed by the next run in that folder; one that a
// run holds stays.
TEST(SheetFiles, RunsOnOneNameTakeTurnsAndLeftOverFoldersGo)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("p.png"), leftOver = dir.filePath(".tavrimo-aB3dE9");
    constexpr int kPages = 150;
    for (int race = 0; race < 4; ++race) {
        ASSERT_TRUE(QDir().mkpath(leftOver) && QFile(leftOver + "/1.png").open(QIODevice::WriteOnly));
        std::vector<OpenedWriter> runs;
        for (const QColor colour : {Qt::red, Qt::blue}) {
            runs.push_back(OpenPngFiles(name, [colour](const SheetPage&) {
                QImage image(1, 1, QImage::Format_RGB32);
                image.fill(colour);
                return image;
            }));
            ASSERT_EQ(runs.back().error, "");
            EXPECT_FALSE(QFileInfo::exists(leftOver));
            for (int page = 0; page < kPages; ++page)
                ASSERT_EQ(runs.back().writer->Add({Page(16, false, 1)}), "");
            ASSERT_EQ(runs.back().writer->Finish(), "");
        }
        std::latch start(2);
        std::vector<std::future<QString>> commits;
        for (OpenedWriter& run : runs)
            commits.push_back(std::async(std::launch::async, [&start, &run] {
                start.arrive_and_wait();
                return run.writer->Commit();
            }));
        for (auto& commit : commits) EXPECT_EQ(commit.get(), "");
        runs.clear();
        std::set<QRgb> colours;
        for (const QString& file : QDir(dir.path()).entryList({"p-*.png"}, QDir::Files))
            colours.insert(QImage(dir.filePath(file)).pixel(0, 0));
        EXPECT_EQ(colours.size(), 1u) << "race " << race;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
                  kPages);
    }
}

// A symbolic link at an output's name is followed, for PDF and PNG alike: the file it
// leads to is replaced and the link stays. A link to nowhere is refused, and nothing made.
TEST(SheetFiles, LinksAreFollowedAndLinksToNowhereRefused)
{
    // The name given, the link (made in the folder, to "t" in its folder "elsewhere"), the pages.
    for (const auto& [named, linked, pages] :
         {std::tuple{"l.pdf", "l.pdf", 2}, {"l.png", "l.png", 1}, {"l.png", "l-2.png", 2}})
        for (const bool targetExists : {true, false}) {
            SCOPED_TRACE(linked + std::string(targetExists ? " to a file" : " to nowhere"));
            QTemporaryDir dir;
            const QString link = dir.filePath(linked), target = dir.filePath("elsewhere/t");
            ASSERT_TRUE(QDir(dir.path()).mkdir("elsewhere") && QFile::link(target, link));
            ASSERT_TRUE(!targetExists || QFile(target).open(QIODevice::WriteOnly));
            const bool pdf = QString(named).endsWith(".pdf");
            const std::vector<Sheet> sheets(pages, Page(16, false, 1));
            const QString error = pdf ? WriteSheetsPdf(dir.filePath(named), sheets)
                                      : WriteSheetsPng(dir.filePath(named), sheets, 20);
            EXPECT_TRUE(QFileInfo(link).isSymLink());
            if (targetExists) {
                EXPECT_EQ(error, "");
                EXPECT_TRUE(ReadAll(target).startsWith(pdf ? "%PDF-" : "\x89PNG"));
            } else {
                EXPECT_EQ(error, "ファイル " + link + " はリンク先のないシンボリックリンクです");
                EXPECT_FALSE(QFileInfo::exists(target));
                EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
            }
        }
}

}  // namespace
}  // namespace tavrimo
