// The answer sheet with the working on the recording canvas: problems shared among pages, the header,
// and the longest and widest workings on an A4 page at 600 dpi and in the preview.
#include "render/worked_answer_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "problems/problem_text.h"
#include "recording_canvas.h"
#include "render/sheet_layout.h"

namespace tavrimo {
namespace {

using testing::CanvasCall;
using testing::CanvasOp;
using testing::RecordingCanvas;

constexpr std::int32_t kPageWidth = 4960, kPageHeight = 7016;

Sheet SheetOf(std::int32_t count)
{
    Sheet sheet{{}, count, 7, true, "つぎの計算をしましょう。"};
    sheet.table.Minuend.fill({5, 1, 2});
    sheet.table.Subtrahend.fill({1, 2, 3});
    return sheet;
}

TEST(WorkedAnswerLayout, PagesShareTheRowsAndNameThemselvesInThePlainHeader)
{
    const struct {
        std::int32_t count;
        std::vector<std::size_t> perPage;
    } cases[] = {{20, {10, 10}}, {16, {8, 8}}, {18, {10, 8}}, {12, {6, 6}},  {10, {10}},
                 {7, {6}},       {1, {0}},     {-3, {0}},     {40, {10, 10}}};
    Sheet plainSheet = SheetOf(20);
    RecordingCanvas plain;
    DrawSheet(plain, kPageWidth, kPageHeight, plainSheet);
    for (const auto& c : cases) {
        const auto pages = static_cast<std::int32_t>(c.perPage.size());
        ASSERT_EQ(WorkedAnswerPageCount(c.count), pages) << c.count;
        std::int32_t next = 1;  // every drawn problem once, in order
        for (std::int32_t page = -1; page <= pages; ++page) {
            const auto cells = WorkedAnswerCells(kPageWidth, kPageHeight, c.count, page);
            EXPECT_EQ(cells.size(), page < 0 || page == pages ? 0 : c.perPage[page])
                << c.count << ' ' << page;
            for (const WorkedCell& cell : cells) EXPECT_EQ(cell.index, next++) << c.count;
        }
        // The plain sheet's background and header; the number says which page of how many.
        RecordingCanvas canvas;
        DrawWorkedAnswerPage(canvas, kPageWidth, kPageHeight, SheetOf(c.count), WorkingMethod::Borrow,
                             pages - 1);
        for (std::size_t i = 0; i < 16; ++i) {
            CanvasCall want = plain.calls().at(i);
            if (i == 11 && pages > 1) want.text += " (2/2)";
            EXPECT_EQ(canvas.calls().at(i), want) << c.count << " call " << i;
        }
    }
}

// Ten problems with the most lines of working by the method, then ten with the widest lines, from whole
// parts and denominators at the edges of the domain and numerators 1 and d - 1.
std::vector<std::pair<MixedNumber, MixedNumber>> Extremes(WorkingMethod method)
{
    std::vector<std::tuple<std::size_t, std::size_t, MixedNumber, MixedNumber>> found;
    constexpr std::int32_t kDens[] = {0, 2, 3, 8, 9, 11, 12, 49, 97, 98, 99};
    for (const auto& [wa, wb] : {std::pair{99, 98}, {99, 0}, {10, 9}, {1, 0}})
        for (const std::int32_t da : kDens)
            for (const std::int32_t db : kDens)
                for (int low = 0; low < 4; ++low) {
                    const MixedNumber a{wa, da ? (low & 1 ? 1 : da - 1) : 0, da};
                    const MixedNumber b{wb, db ? (low & 2 ? 1 : db - 1) : 0, db};
                    if (da && db && std::lcm(da, db) >= 100) continue;
                    const auto steps = WorkingSteps(a, b, method);
                    std::size_t width = 0;
                    for (const WorkingStep& s : steps) width = std::max(width, WorkingStepText(s).size());
                    found.push_back(
                        {steps.size(), width + MixedNumberText(a).size() + MixedNumberText(b).size(), a, b});
                }
    std::vector<std::pair<MixedNumber, MixedNumber>> problems;
    for (const bool widest : {false, true}) {
        std::ranges::sort(found, std::greater{}, [widest](const auto& f) {
            return widest ? std::pair{std::get<1>(f), std::get<0>(f)}
                          : std::pair{std::get<0>(f), std::get<1>(f)};
        });
        for (std::size_t i = 0; i < 10; ++i)
            problems.push_back({std::get<2>(found[i]), std::get<3>(found[i])});
    }
    return problems;
}

struct Box {
    std::int32_t left, top, right, bottom;
    bool Inside(const Box& o) const
    {
        return left >= o.left && top >= o.top && right <= o.right && bottom <= o.bottom;
    }
    bool Meets(const Box& o) const
    {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

TEST(WorkedAnswerLayout, LongestAndWidestWorkingsKeepToTheirCellsAndLines)
{
    for (const WorkingMethod method : {WorkingMethod::Borrow, WorkingMethod::Improper}) {
        SCOPED_TRACE(method == WorkingMethod::Borrow ? "borrow" : "improper");
        Sheet sheet = SheetOf(20);
        const auto problems = Extremes(method);
        for (int i = 1; i <= 20; ++i)
            std::tie(sheet.table.Minuend[i], sheet.table.Subtrahend[i]) = problems[i - 1];
        EXPECT_EQ(WorkingSteps(problems[0].first, problems[0].second, method).size(),
                  method == WorkingMethod::Borrow ? 4u : 5u);  // the method's longest working

        // An A4 page at 600 dpi, and the preview of the first page.
        for (const auto& [width, height, page] :
             {std::tuple{4960, 7016, 0}, {4960, 7016, 1}, {320, 441, 0}}) {
            // Widths as the sheet's Japanese face gives them at the problems' height, or a little more.
            RecordingCanvas probe;
            DrawWorkedAnswerPage(probe, width, height, sheet, method, page);
            const std::int32_t fontHeight = probe.CallsOf(CanvasOp::SetFontHeight).back().value;
            RecordingCanvas canvas((fontHeight + 1) / 2, fontHeight);
            DrawWorkedAnswerPage(canvas, width, height, sheet, method, page);

            // Each text and fraction bar after the header's four texts; the " = " texts start the lines.
            std::vector<Box> marks, equals;
            std::int32_t font = 0, moveX = 0, texts = 0, headerBottom = 0;
            for (const CanvasCall& call : canvas.calls()) {
                if (call.op == CanvasOp::SetFontHeight) font = call.value;
                if (call.op == CanvasOp::MoveTo) moveX = call.x;
                if (call.op == CanvasOp::LineTo) marks.push_back({moveX, call.y - 1, call.x, call.y + 1});
                if (call.op != CanvasOp::TextOut) continue;
                const Box box{call.x, call.y, call.x + canvas.Measure(call.text), call.y + font};
                if (++texts <= 4) headerBottom = std::max(headerBottom, box.bottom);
                if (texts <= 4) continue;
                marks.push_back(box);
                if (call.text == " = ") equals.push_back(box);
            }

            // A line spans its numerators, half a height above, to its denominators under the bar.
            std::vector<Box> lines;
            auto equal = equals.begin();
            for (const WorkedCell& c : WorkedAnswerCells(width, height, 20, page)) {
                const Box cell{c.left, c.top, c.right, c.bottom};
                EXPECT_TRUE(cell.Inside({0, headerBottom, width, height})) << c.index;
                const auto& [a, b] = problems[static_cast<std::size_t>(c.index - 1)];
                const std::size_t steps = WorkingSteps(a, b, method).size();
                ASSERT_LE(steps, static_cast<std::size_t>(equals.end() - equal));
                const std::int32_t left = equal->left;
                for (std::size_t l = 1; l <= steps; ++l, ++equal) {
                    const Box line{cell.left, equal->top - font / 2, cell.right,
                                   equal->bottom + font / 2 + 1};
                    EXPECT_EQ(equal->left, left) << c.index << " line " << l << " not under the first \"=\"";
                    EXPECT_TRUE(line.Inside(cell)) << c.index << " line " << l;
                    EXPECT_TRUE(std::ranges::none_of(lines, [&](const Box& o) { return o.Meets(line); }))
                        << c.index;
                    lines.push_back(line);
                }
            }
            EXPECT_EQ(equal, equals.end());
            for (const Box& m : marks)
                EXPECT_TRUE(std::ranges::any_of(lines, [&](const Box& line) { return m.Inside(line); }))
                    << m.left << ',' << m.top << ' ' << m.right << ',' << m.bottom;
        }
    }
}

}  // namespace
}  // namespace tavrimo
