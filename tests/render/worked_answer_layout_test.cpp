// The answer sheet with the working on the recording canvas: problems shared among pages, the header,
// and the longest and widest workings on an A4 page at 600 dpi and in the preview.
#include "render/worked_answer_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <tuple>
#include <vector>

#include "problems/problem_text.h"
#include "recording_canvas.h"

namespace tavrimo {
namespace {

using testing::Box;
using testing::CanvasCall;
using testing::CanvasOp;
using testing::RecordingCanvas;

Sheet SheetOf(std::int32_t count)
{
    Sheet sheet{{}, count, 7, true, "つぎの計算をしましょう。"};
    sheet.table.Minuend.fill({5, 1, 2});
    sheet.table.Subtrahend.fill({1, 2, 3});
    return sheet;
}

TEST(WorkedAnswerLayout, PagesShareTheRowsAndSayWhichPageTheyAre)
{
    const std::pair<std::int32_t, std::vector<std::size_t>> cases[] = {
        // count, problems on each page
        {20, {10, 10}}, {16, {8, 8}}, {18, {10, 8}}, {12, {6, 6}},
        {10, {10}},     {7, {6}},     {1, {0}},      {40, {10, 10}}};
    for (const auto& [count, perPage] : cases) {
        const auto pages = static_cast<std::int32_t>(perPage.size());
        ASSERT_EQ(WorkedAnswerPageCount(count), pages) << count;
        std::int32_t next = 1;  // every drawn problem once, in order
        for (std::int32_t page = -1; page <= pages; ++page) {
            const auto cells = WorkedAnswerCells(4960, 7016, count, page);
            EXPECT_EQ(cells.size(), page < 0 || page == pages ? 0 : perPage[page]) << count << ' ' << page;
            for (const WorkedCell& cell : cells) EXPECT_EQ(cell.index, next++) << count;
        }
        // The plain sheet's header; the number says which page of how many.
        RecordingCanvas canvas;
        DrawWorkedAnswerPage(canvas, 4960, 7016, SheetOf(count), WorkingMethod::Borrow, pages - 1);
        EXPECT_EQ(canvas.CallsOf(CanvasOp::TextOut).at(1).text, pages > 1 ? "問題No.7 (2/2)" : "問題No.7")
            << count;
    }
}

// Ten problems with the most lines of working by the method, then ten with the widest lines, from whole
// parts and denominators at the edges of the domain and numerators 1 and d - 1.
std::vector<std::pair<MixedNumber, MixedNumber>> Extremes(WorkingMethod method)
{
    std::vector<std::tuple<std::size_t, std::size_t, MixedNumber, MixedNumber>> found;  // lines, width
    constexpr std::int32_t kDens[] = {0, 2, 3, 8, 9, 11, 12, 49, 97, 98, 99};
    for (const auto& [wa, wb] : {std::pair{99, 98}, {99, 0}, {10, 9}, {1, 0}})
        for (const std::int32_t da : kDens)
            for (const std::int32_t db : kDens)
                for (int low = 0; low < 4; ++low) {
                    if (da && db && std::lcm(da, db) >= 100) continue;  // no common denominator drawn
                    const MixedNumber a{wa, da ? (low & 1 ? 1 : da - 1) : 0, da};
                    const MixedNumber b{wb, db ? (low & 2 ? 1 : db - 1) : 0, db};
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

TEST(WorkedAnswerLayout, LongestAndWidestWorkingsKeepToTheirCellsAndLines)
{
    for (const WorkingMethod method : {WorkingMethod::Borrow, WorkingMethod::Improper}) {
        SCOPED_TRACE(method == WorkingMethod::Borrow ? "borrow" : "improper");
        Sheet sheet = SheetOf(20);
        const auto problems = Extremes(method);
        for (int i = 1; i <= 20; ++i)
            std::tie(sheet.table.Minuend[i], sheet.table.Subtrahend[i]) = problems[i - 1];
        const auto& [a1, b1] = problems[0];  // the method's longest working
        EXPECT_EQ(WorkingSteps(a1, b1, method).size(), method == WorkingMethod::Borrow ? 4u : 5u);

        // An A4 page at 600 dpi, and the preview of the first page.
        for (const auto& [width, height, page] :
             {std::tuple{4960, 7016, 0}, {4960, 7016, 1}, {320, 441, 0}}) {
            // Widths as the sheet's Japanese face gives them at the problems' height, or a little more.
            RecordingCanvas probe;
            DrawWorkedAnswerPage(probe, width, height, sheet, method, page);
            const std::int32_t font = probe.CallsOf(CanvasOp::SetFontHeight).back().value;
            RecordingCanvas canvas((font + 1) / 2, font);
            DrawWorkedAnswerPage(canvas, width, height, sheet, method, page);

            // Each text and fraction bar after the header's four texts; the " = " texts start the lines.
            std::vector<Box> marks, equals;
            std::int32_t size = 0, moveX = 0, texts = 0, headerBottom = 0;
            for (const CanvasCall& call : canvas.calls()) {
                if (call.op == CanvasOp::SetFontHeight) size = call.value;
                if (call.op == CanvasOp::MoveTo) moveX = call.x;
                if (call.op == CanvasOp::LineTo) marks.push_back({moveX, call.y - 1, call.x, call.y + 1});
                if (call.op != CanvasOp::TextOut) continue;
                const Box box{call.x, call.y, call.x + canvas.Measure(call.text), call.y + size};
                if (++texts <= 4) headerBottom = std::max(headerBottom, box.b);
                if (texts <= 4) continue;
                marks.push_back(box);
                if (call.text == " = ") equals.push_back(box);
            }

            // A line spans its numerators, half a height above, to its denominators under the bar.
            std::vector<Box> lines;
            auto equal = equals.begin();
            for (const WorkedCell& c : WorkedAnswerCells(width, height, 20, page)) {
                const Box cell{c.left, c.top, c.right, c.bottom};
                EXPECT_TRUE(cell.In({0, headerBottom, width, height})) << c.index;
                const auto& [a, b] = problems[static_cast<std::size_t>(c.index - 1)];
                const std::size_t steps = WorkingSteps(a, b, method).size();
                ASSERT_LE(steps, static_cast<std::size_t>(equals.end() - equal));
                for (std::int32_t l = 1, left = equal->l; l <= static_cast<std::int32_t>(steps);
                     ++l, ++equal) {
                    const Box line{cell.l, equal->t - font / 2, cell.r, equal->b + font / 2 + 1};
                    EXPECT_EQ(equal->l, left) << c.index << " line " << l << " is not under the first \"=\"";
                    EXPECT_TRUE(line.In(cell) &&
                                std::ranges::none_of(lines, [&](const Box& o) { return o.Meets(line); }))
                        << c.index << " line " << l << " leaves its cell or meets another line";
                    lines.push_back(line);
                }
            }
            EXPECT_EQ(equal, equals.end());
            for (const Box& m : marks)
                EXPECT_TRUE(std::ranges::any_of(lines, [&](const Box& line) { return m.In(line); }))
                    << m.l << ',' << m.t << ' ' << m.r << ',' << m.b;
        }
    }
}

}  // namespace
}  // namespace tavrimo
