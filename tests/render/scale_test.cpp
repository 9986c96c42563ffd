// The scale factor from reference to device units and its rounding.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>

#include "render/sheet_layout.h"

namespace tavrimo {
namespace {

TEST(Scale, FitsTheReferenceAreaIntoTheTarget)
{
    const std::tuple<const char*, std::int32_t, std::int32_t, float> cases[] = {
        {"preview is exactly 1", 320, 441, 1.0f},
        {"A4 page at 600 dpi", 4960, 7016, 15.5f},
        {"height limits", 960, 441, 1.0f},
        {"width limits", 160, 441, 0.5f},
        {"width 0 ignores a huge height", 0, INT32_MAX, 1.0f},
        {"most negative width", INT32_MIN, INT32_MIN, 1.0f},
        {"small width is scaled", 5, 441000, 0.015625f},
        {"height 0", 320, 0, 0.0f},
        // 321 / 320 = 1.003125 has no exact single; the factor is its nearest.
        {"single precision", 321, 441000, 1.003125f},
    };
    for (const auto& [name, width, height, expected] : cases)
        EXPECT_EQ(Scale(width, height), expected) << name;
}

TEST(Scaled, RoundsTheWidenedProductHalvesToEvenAndWraps)
{
    const std::tuple<float, double, std::int32_t> cases[] = {
        {15.5f, 13, 202},  // 201.5 up to the even 202
        {15.5f, 15, 232},  // 232.5 down to the even 232
        {1.0f, -2.5, -2},
        {1.0f, -0.5, 0},
        {1.0f, 0.5000001, 1},
        {1.003125f, 480, 481},  // the single factor 1.00312495... gives 481.49998
        {1.0f, 2147483647.0, INT32_MAX},
        {1.0f, 2147483648.0, INT32_MIN},
        {1.0f, -2147483649.0, INT32_MAX},
        {4869577.5f, 480, -1957570096},  // 2337397200 - 2^32
        {1.0f, 1e300, 0},                // wraps modulo 2^32: a multiple of it
        {1.0f, HUGE_VAL, 0},
        {1.0f, std::nan(""), 0},
    };
    for (const auto& [scale, x, expected] : cases)
        EXPECT_EQ(Scaled(scale, x), expected) << scale << " * " << x;
}

TEST(MinReal, GivesTheSmallerAndTheFirstWhenEqual)
{
    EXPECT_EQ(MinReal(1.5, 2.5), 1.5);
    EXPECT_EQ(MinReal(2.5, -1.5), -1.5);
    // Equal values: only the sign of zero tells which one came back.
    EXPECT_TRUE(std::signbit(MinReal(-0.0, 0.0)));
    EXPECT_FALSE(std::signbit(MinReal(0.0, -0.0)));
}

}  // namespace
}  // namespace tavrimo
