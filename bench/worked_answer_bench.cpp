// The answer sheet with the working against the plain answer sheet, each 20
// problems drawn into a PDF document at 600 dpi (all pages of it), as the
// print and file commands draw them. The working's sheet should take at most
// three times the plain one's time.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <functional>

#include "cli/sheet_files.h"
#include "problems/problem_set.h"
#include "render/sheet_layout.h"
#include "render/worked_answer_layout.h"
#include "runtime/qt/qpainter_canvas.h"

namespace tavrimo {
namespace {

// 20 problems with borrowing and common denominators, so that most have the
// longest working of either method.
Sheet MakeSheet()
{
    WorksheetSettings settings;
    settings.ranges = {1, 9, 0, 5, 2, 12, 2, 12};
    settings.options = {true, Reduction::Either, true, false, false};
    settings.ProblemCount = 20;
    RandomSource source(1);
    ProblemKeys keys{};
    Sheet sheet;
    sheet.QuestionCount = GenerateProblemSet(source, settings, keys).QuestionCount;
    UnpackProblemSet(keys, sheet.QuestionCount, sheet.table);
    sheet.PrintNumber = 7;
    sheet.ShowAnswers = true;
    sheet.QuestionText = SettingsBoxes{}.QstSentence;
    return sheet;
}

// One PDF document of `pages` pages, each drawn by draw(canvas, width, height, page).
void DrawPdf(benchmark::State& state, int pages,
             const std::function<void(Canvas&, std::int32_t, std::int32_t, int)>& draw)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        QPainter painter(&writer);
        for (int page = 0; page < pages; ++page) {
            if (page > 0) writer.newPage();
            QPainterCanvas canvas(painter);
            draw(canvas, writer.width(), writer.height(), page);
        }
        painter.end();
        bytes = buffer.size();
    }
    state.counters["pages"] = pages;
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
}

void BM_PlainAnswerSheet(benchmark::State& state)
{
    const Sheet sheet = MakeSheet();
    DrawPdf(state, 1, [&sheet](Canvas& canvas, std::int32_t width, std::int32_t height, int) {
        Sheet copy = sheet;  // drawing the answers writes them into the table
        DrawSheet(canvas, width, height, copy);
    });
}
BENCHMARK(BM_PlainAnswerSheet)->Unit(benchmark::kMillisecond);

void BM_WorkedAnswerSheet(benchmark::State& state)
{
    const Sheet sheet = MakeSheet();
    const auto method = static_cast<WorkingMethod>(state.range(0));
    state.SetLabel(method == WorkingMethod::Borrow ? "borrow" : "improper");
    DrawPdf(state, WorkedAnswerPageCount(sheet.QuestionCount),
            [&](Canvas& canvas, std::int32_t width, std::int32_t height, int page) {
                DrawWorkedAnswerPage(canvas, width, height, sheet, method, page);
            });
}
BENCHMARK(BM_WorkedAnswerSheet)
    ->Arg(static_cast<int>(WorkingMethod::Borrow))
    ->Arg(static_cast<int>(WorkingMethod::Improper))
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrimo
