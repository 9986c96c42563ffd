// The scale factor from reference to device units and its rounding.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "render/sheet_layout.h"

namespace tavrimo {
namespace {

struct ScaleCase {
    const char* name;
    std::int32_t width, height;
    float expected;
};

TEST(Scale, FitsTheReferenceAreaIntoTheTarget)
{
    const ScaleCase cases[] = {
        {"preview", 320, 441, 1.0f},
        {"A4 page at 600 dpi", 4960, 7016, 15.5f},
        {"width limits", 320, 882, 1.0f},
        {"height limits", 960, 441, 1.0f},
        {"twice the preview", 640, 882, 2.0f},
        {"half the preview", 160, 441, 0.5f},
        {"width 0 ignores the height", 0, 5, 1.0f},
        {"width 0 with a huge height", 0, INT32_MAX, 1.0f},
        {"negative width", -5, 1000, 1.0f},
        {"most negative width", INT32_MIN, INT32_MIN, 1.0f},
        {"width 1 is scaled", 5, 441000, 0.015625f},
        {"negative height gives a negative scale", 320, -441, -1.0f},
        {"height 0", 320, 0, 0.0f},
        // 2147483647 / 441 = 4869577.43, nearest single is 4869577.5.
        {"largest target", INT32_MAX, INT32_MAX, 4869577.5f},
    };
    for (const ScaleCase& c : cases) {
        EXPECT_EQ(Scale(c.width, c.height), c.expected) << c.name;
    }
}

TEST(Scale, IsStoredInSinglePrecision)
{
    // 321 / 320 = 1.003125 has no exact single; the factor is its nearest.
    const float scale = Scale(321, 441000);
    EXPECT_EQ(scale, 1.003125f);
    EXPECT_NE(static_cast<double>(scale), 1.003125);
}

struct ScaledCase {
    float scale;
    double x;
    std::int32_t expected;
};

TEST(Scaled, RoundsTheWidenedProductHalvesToEven)
{
    const ScaledCase cases[] = {
        {15.5f, 6, 93},
        {15.5f, 13, 202},  // 201.5 up to the even 202
        {15.5f, 15, 232},  // 232.5 down to the even 232
        {15.5f, 23, 356},  // 356.5 down
        {15.5f, 14, 217},
        {15.5f, 20, 310},
        {15.5f, 140, 2170},
        {15.5f, 319, 4944},
        {15.5f, 440, 6820},
        {1.0f, 2.5, 2},
        {1.0f, 3.5, 4},
        {1.0f, -2.5, -2},
        {1.0f, -0.5, 0},
        {1.0f, 0.5000001, 1},
        {-1.0f, 70, -70},
        {0.0f, 440, 0},
        // The single factor 1.00312495... times 480 is 481.49998, not 481.5.
        {1.003125f, 480, 481},
    };
    for (const ScaledCase& c : cases) {
        EXPECT_EQ(Scaled(c.scale, c.x), c.expected) << c.scale << " * " << c.x;
    }
}

TEST(Scaled, WrapsModulo2To32)
{
    const ScaledCase cases[] = {
        {1.0f, 2147483647.0, INT32_MAX},
        {1.0f, 2147483648.0, INT32_MIN},
        {1.0f, 4294967301.0, 5},
        {1.0f, -2147483649.0, INT32_MAX},
        {4869577.5f, 480, -1957570096},  // 2337397200 - 2^32
        {1.0f, 1e300, 0},                // a multiple of 2^32
        {1.0f, std::numeric_limits<double>::infinity(), 0},
        {1.0f, std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const ScaledCase& c : cases) {
        EXPECT_EQ(Scaled(c.scale, c.x), c.expected) << c.scale << " * " << c.x;
    }
}

TEST(MinReal, GivesTheSmallerAndTheFirstWhenEqual)
{
    EXPECT_EQ(MinReal(1.5, 2.5), 1.5);
    EXPECT_EQ(MinReal(2.5, 1.5), 1.5);
    EXPECT_EQ(MinReal(-3.0, 3.0), -3.0);
    // Equal values: only the sign of zero tells which one came back.
    EXPECT_TRUE(std::signbit(MinReal(-0.0, 0.0)));
    EXPECT_FALSE(std::signbit(MinReal(0.0, -0.0)));
}

}  // namespace
}  // namespace tavrimo
