// The fixed metrics other tests rely on.
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavrimo::testing {
namespace {

TEST(RecordingCanvas, MeasuresAsciiNarrowAndOtherCodePointsWide)
{
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.TextWidth(""), 0);
    EXPECT_EQ(canvas.TextWidth("3"), 7);
    EXPECT_EQ(canvas.TextWidth("15"), 14);
    EXPECT_EQ(canvas.TextWidth(" - "), 21);
    EXPECT_EQ(canvas.TextWidth("No.分"), 35);       // 3 * 7 + 14
    EXPECT_EQ(canvas.TextWidth("\U0001F600"), 14);  // one code point of four bytes
}

TEST(RecordingCanvas, TextHeightIsTheCurrentFontHeight)
{
    RecordingCanvas canvas;
    EXPECT_EQ(canvas.TextHeight("3"), 0);
    canvas.SetFontHeight(13);
    EXPECT_EQ(canvas.TextHeight("3"), 13);
    EXPECT_EQ(canvas.TextHeight(""), 13);
}

TEST(RecordingCanvas, WidthsWrapWithHugeMetrics)
{
    RecordingCanvas canvas(1 << 30, INT32_MIN);
    EXPECT_EQ(canvas.TextWidth("abc"), -1073741824);  // 3 * 2^30 - 2^32
    EXPECT_EQ(canvas.TextWidth("分分"), 0);           // 2 * -2^31 wraps to 0
}

TEST(RecordingCanvas, RecordsCallsInOrderAndKeepsState)
{
    RecordingCanvas canvas;
    canvas.SetPenWidth(2);
    canvas.SetPenWidth(-1);  // ignored
    canvas.MoveTo(1, 2);
    canvas.SetBrushStyle(BrushStyle::Clear);
    const std::vector<CanvasCall> expected{CanvasCall::PenWidth(2), CanvasCall::PenWidth(-1),
                                           CanvasCall::Move(1, 2), CanvasCall::Brush(BrushStyle::Clear)};
    EXPECT_EQ(canvas.calls(), expected);
    EXPECT_EQ(canvas.penWidth(), 2);
    EXPECT_EQ(canvas.currentX(), 1);
    EXPECT_EQ(canvas.currentY(), 2);
    EXPECT_EQ(canvas.brushStyle(), BrushStyle::Clear);
}

}  // namespace
}  // namespace tavrimo::testing
