#include "problems/integer_math.h"

#include <gtest/gtest.h>

#include <climits>

namespace tavrimo {
namespace {

struct Row {
    std::int32_t a, b, gcd, lcm;
};

TEST(IntegerMath, GcdAndLcm)
{
    const Row rows[] = {
        {12, 18, 6, 36}, {18, 12, 6, 36}, {7, 0, 7, 0},    {0, 7, 7, 0},    {4, 6, 2, 12},     {6, 6, 6, 6},
        {0, 5, 5, 0},    {0, 0, 0, 0},    {4, -6, -2, 12}, {-4, 6, 2, -12}, {97, 98, 1, 9506}, {1, 1, 1, 1},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Gcd(r.a, r.b), r.gcd) << r.a << "," << r.b;
        EXPECT_EQ(Lcm(r.a, r.b), r.lcm) << r.a << "," << r.b;
    }
}

TEST(IntegerMath, LcmProductWrapsAsSigned32Bit)
{
    // 65537 * 65539 overflows 32 bits; the wrapped product is divided by 1.
    const std::int64_t wrapped = static_cast<std::int32_t>(static_cast<std::uint32_t>(65537u * 65539u));
    EXPECT_EQ(Lcm(65537, 65539), wrapped);
}

TEST(IntegerMath, ExtremesAreDefined)
{
    // C++ would trap on INT_MIN % -1 and INT_MIN / -1; the wrap-around rules give 0 and INT_MIN.
    EXPECT_EQ(Gcd(INT_MIN, -1), -1);
    EXPECT_EQ(WrapDiv(INT_MIN, -1), INT_MIN);
    EXPECT_EQ(WrapMod(INT_MIN, -1), 0);
    EXPECT_EQ(WrapDiv(5, 0), 0);
    EXPECT_EQ(WrapMul(INT_MAX, 2), -2);
    EXPECT_EQ(WrapAdd(INT_MAX, 1), INT_MIN);
    EXPECT_EQ(Gcd(INT_MIN, 0), INT_MIN);
    EXPECT_EQ(Lcm(INT_MIN, -1), INT_MIN);
}

}  // namespace
}  // namespace tavrimo
