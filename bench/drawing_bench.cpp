// Drawing speed of the sheet on the Qt devices: the preview image, one PDF
// page at 600 dpi, and a hundred answer sheets in one PDF.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <vector>

#include "cli/sheet_files.h"
#include "problems/problem_set.h"
#include "render/sheet_layout.h"
#include "runtime/random_source.h"

namespace tavrimo {
namespace {

// A full 20-problem set with the default ranges; one fixed seed per sheet.
Sheet MakePage(std::uint32_t seed, bool answers)
{
    SettingsBoxes boxes;
    boxes.rgQNum = 1;
    RandomSource source(seed);
    Sheet page;
    ProblemKeys keys{};
    AssembleProblemSet(boxes, source, page, keys);
    page.PrintNumber = static_cast<std::int32_t>(seed);
    page.ShowAnswers = answers;
    page.QuestionText = SettingsBoxes{}.QstSentence;
    return page;
}

void BM_Preview(benchmark::State& state)
{
    const Sheet page = MakePage(1, true);
    QImage image(kReferenceWidth, kReferenceHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintSheet(painter, kReferenceWidth, kReferenceHeight, {page, 0});
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_Preview)->Unit(benchmark::kMicrosecond);

void WritePdf(benchmark::State& state, const std::vector<Sheet>& pages)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (const QString error = WriteSheetsPdf(buffer, pages); !error.isEmpty()) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
        bytes = buffer.size();
    }
    state.counters["pdf_bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_page"] = static_cast<double>(bytes) / static_cast<double>(pages.size());
}

void BM_PdfOnePage(benchmark::State& state)
{
    WritePdf(state, {MakePage(1, true)});
}
BENCHMARK(BM_PdfOnePage)->Unit(benchmark::kMillisecond);

void BM_Pdf100AnswerSheets(benchmark::State& state)
{
    std::vector<Sheet> pages;
    for (std::uint32_t seed = 1; seed <= 100; ++seed) pages.push_back(MakePage(seed, true));
    WritePdf(state, pages);
}
BENCHMARK(BM_Pdf100AnswerSheets)->Unit(benchmark::kMillisecond);

// A class set of 30 sheets with their answers, 60 pages, in the order a
// print command gives them: tavrimo-sheets --sheets 30 --answers with -o FILE.pdf
// draws exactly these (target: at most 1 s).
void BM_ClassSet30WithAnswers(benchmark::State& state)
{
    std::vector<Sheet> pages;
    for (std::uint32_t seed = 1; seed <= 30; ++seed) {
        pages.push_back(MakePage(seed, false));
        pages.push_back(MakePage(seed, true));
    }
    WritePdf(state, pages);
}
BENCHMARK(BM_ClassSet30WithAnswers)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrimo
