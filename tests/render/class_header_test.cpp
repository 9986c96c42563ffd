// The class header and the problem numbers on A4 pages at 600 dpi, in device units.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recording_canvas.h"
#include "render/sheet_layout.h"
#include "render/worked_answer_layout.h"

namespace tavrimo {
namespace {

using Px = std::int32_t;  // device pixels
using testing::Box;

// Keeps what is inked, in drawing order: texts a little wider than the
// sheet's faces draw them (half the font height per ASCII character, the
// height per other one), lines one pixel wide, outlines but the background's (at 0, 0) as
// their sides.
class InkCanvas : public testing::RecordingCanvas {
public:
    std::vector<Box> ink;
    Box outline{};  // the last one

    Px TextWidth(std::string_view text) override
    {
        Px width = 0;
        for (const unsigned char byte : text) width += byte < 0x80 ? height_ / 2 : byte >= 0xC0 ? height_ : 0;
        return width;
    }
    void SetFontHeight(Px height) override { RecordingCanvas::SetFontHeight(height_ = height); }
    void TextOut(Px x, Px y, std::string_view text) override
    {
        if (!text.empty()) ink.push_back({x, y, x + TextWidth(text), y + height_, std::string(text)});
    }
    void MoveTo(Px x, Px y) override { x_ = x, y_ = y; }
    void LineTo(Px x, Px y) override
    {
        ink.push_back({std::min(x, x_), std::min(y, y_), std::max(x, x_) + 1, std::max(y, y_) + 1, ""});
        MoveTo(x, y);
    }
    void Rectangle(Px x1, Px y1, Px x2, Px y2) override
    {
        if (x1 == 0) return;
        outline = {x1, y1, x2, y2, ""};
        MoveTo(x1, y1), LineTo(x2 - 1, y1), LineTo(x2 - 1, y2 - 1), LineTo(x1, y2 - 1), LineTo(x1, y1);
    }

private:
    Px height_ = 0, x_ = 0, y_ = 0;
};

TEST(ClassHeaderAndNumbers, StayOnThePageClearOfTheSheetAndEachOther)
{
    ProblemTable wide;  // two-digit operands, a four-digit common denominator
    for (int i = 1; i <= kMaxProblems; ++i)
        wide.Minuend[i] = {70 + i, 97, 98}, wide.Subtrahend[i] = {0, 1, 99};
    for (const auto& [count, score] : {std::pair{16, "/16"}, {20, "/20"}, {7, "/6"}})
        // Kinds: problems, answers, the working by borrowing, by improper fractions.
        for (const int kind : {0, 1, 2, 3}) {
            SCOPED_TRACE(std::to_string(count) + " problems, sheet kind " + std::to_string(kind));
            Sheet off{wide, count, 123, kind == 1, "つぎの計算をしましょう。"}, on = off;
            on.ClassHeader = on.ProblemNumbers = true;
            const auto draw = [kind](Canvas& canvas, Sheet sheet) {
                if (kind < 2) return DrawSheet(canvas, 4960, 7016, sheet);
                const WorkingMethod method = kind == 2 ? WorkingMethod::Borrow : WorkingMethod::Improper;
                DrawWorkedAnswerPage(canvas, 4960, 7016, sheet, method, 0);
            };
            InkCanvas today, added;
            draw(today, off), draw(added, on);

            // Each number ends just before the first text of its problem, centred on it.
            std::string expected = "　　月　　日||　　年　　組　　番|名前||||||" + std::string(score), texts;
            const std::size_t problems =
                kind < 2 ? ProblemsOnSheet(count) : WorkedAnswerCells(4960, 7016, count, 0).size();
            for (std::size_t i = 1; i <= problems; ++i) expected += "|(" + std::to_string(i) + ")";
            for (auto a = added.ink.begin(); a != added.ink.end(); ++a) {
                if (!a->text.starts_with('(')) continue;
                EXPECT_TRUE(a->r < a[1].l && a->r > a[1].l - 50) << a->text;
                EXPECT_NEAR(a->t + a->b, a[1].t + a[1].b, 2) << a->text;
            }

            // The name box goes; the rest of today's sheet stays where it was.
            EXPECT_EQ(std::erase_if(today.ink, [](const Box& b) { return b.text.starts_with("（"); }), 1u);
            for (const Box& kept : today.ink) {
                const auto found = std::find(added.ink.begin(), added.ink.end(), kept);
                ASSERT_NE(found, added.ink.end()) << "moved: " << kept.text;
                added.ink.erase(found);
            }
            for (auto a = added.ink.begin(); a != added.ink.end(); ++a) {
                texts += (a == added.ink.begin() ? "" : "|") + a->text;
                EXPECT_TRUE(a->In({0, 0, 4960, 7016})) << a->text;
                for (const Box& b : today.ink) EXPECT_FALSE(a->Meets(b)) << a->text << " on " << b.text;
                for (auto b = a + 1; b != added.ink.end(); ++b)  // lines may meet: the score box's sides do
                    EXPECT_FALSE(a->text + b->text != "" && a->Meets(*b)) << a->text << " on " << b->text;
            }
            ASSERT_EQ(texts, expected);
            const Box &s = added.ink[9], &box = added.outline;  // the score in its box
            EXPECT_TRUE(s.l > box.l && s.t > box.t && s.r < box.r && s.b < box.b);
        }
}

}  // namespace
}  // namespace tavrimo
