#include "problems/generators.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "generator_test_support.h"
#include "rational.h"

namespace tavrimo {
namespace {

using test::Call;
using test::Generate;
using test::Generator;
using test::Ranges;

GeneratorOptions Options(int kind, bool common = false, bool multiple = false, bool reduce = false)
{
    return test::KindOptions(kind, common, multiple, reduce);
}

const GeneratorRanges kDefaults = Ranges(0, 0, 0, 0, 2, 99, 2, 99);

// The exact number of Random calls shows the order and the bounds of the draws.
TEST(Generators, RandomCallCountsOfKnownOutcomes)
{
    struct Row {
        Generator generator;
        const char* name;
        GeneratorRanges ranges;
        GeneratorOptions options;
        std::int32_t failed;
        std::uint64_t calls;
    };
    constexpr Generator N = Generator::NotSmaller, S = Generator::Smaller;
    const Row rows[] = {
        // 2 for the whole parts, then per attempt 2 for a and 1 for b's numerator.
        {N, "denominators 2..3, kind 0: D is always 0", Ranges(0, 0, 0, 0, 2, 3, 2, 3), Options(0), 1,
         2 + 1001 * 3},
        {N, "denominators 2..3, kind 1 passes at once", Ranges(0, 0, 0, 0, 2, 3, 2, 3), Options(1), 0, 5},
        {N, "denominators 2..3, kind 2 passes at once", Ranges(0, 0, 0, 0, 2, 3, 2, 3), Options(2), 0, 5},
        {N, "a without denominator fails after the whole parts", Ranges(0, 0, 0, 0, 0, 5, 2, 99), Options(2),
         1, 2},
        {N, "both without denominator", Ranges(0, 0, 0, 0, 0, 0, 0, 0), Options(0), 1, 2},
        {N, "b without fraction part passes whatever the options", Ranges(0, 0, 0, 0, 2, 99, 0, 0),
         Options(0, true, true), 0, 4},
        {S, "default whole parts: 1001 pairs, then a's first fraction", kDefaults, Options(3), 1, 2004},
        {S, "b without fraction part", Ranges(1, 1, 0, 0, 2, 99, 0, 5), Options(5), 1, 4},
        {S, "a whole with a common denominator: no call in the pass", Ranges(1, 1, 0, 0, 0, 0, 2, 9),
         Options(5, true), 1, 2},
        {S, "b always 1/2 under kind 4", Ranges(1, 1, 0, 0, 0, 0, 2, 2), Options(4), 1, 2 + 1001 * 2},
        {S, "same denominator 3..3, kind 3 passes at once", Ranges(1, 1, 0, 0, 3, 3, 2, 9), Options(3), 0,
         2 + 2 + 3},
        {S, "same denominator 3..3, kind 4 never", Ranges(1, 1, 0, 0, 3, 3, 2, 9), Options(4), 1,
         2 + 2 + 1001 * 3},
    };
    for (const Row& r : rows) {
        for (std::uint32_t seed : {0u, 7u, 4000000000u}) {
            const Call c = Generate(r.generator, r.ranges, r.options, seed);
            EXPECT_EQ(c.failed, r.failed) << r.name;
            EXPECT_EQ(c.randomCalls, r.calls) << r.name;
        }
    }
}

TEST(NotSmaller0, EdgeOutcomes)
{
    // The difference can be exactly 0.
    for (int kind : {1, 2}) {
        const Call c = Generate(Generator::NotSmaller, Ranges(1, 1, 1, 1, 2, 2, 2, 2), Options(kind), 5);
        EXPECT_EQ(c.failed, 0);
        EXPECT_EQ(c.a, (MixedNumber{1, 1, 2}));
        EXPECT_EQ(c.b, (MixedNumber{1, 1, 2}));
    }
    // a's whole parts never reach b's: 1001 pairs, then a useless phase 2.
    EXPECT_EQ(Generate(Generator::NotSmaller, Ranges(0, 1, 2, 3, 2, 99, 2, 99), Options(0), 9).failed, 1);
    // b without fraction part: a may be reducible even under kind 0.
    std::set<std::pair<int, int>> seen;
    for (std::uint32_t seed = 0; seed < 400; ++seed) {
        const Call c = Generate(Generator::NotSmaller, Ranges(0, 0, 0, 0, 2, 99, 0, 0), Options(0), seed);
        EXPECT_EQ(c.b, (MixedNumber{0, 0, 0}));
        if (std::gcd(c.a.Numerator, c.a.Denominator) > 1) seen.insert({c.a.Numerator, c.a.Denominator});
    }
    EXPECT_FALSE(seen.empty());
    // With a's denominator 5..5 the numerator is 1, 2 or 3, never 4.
    std::set<int> numerators;
    for (std::uint32_t seed = 0; seed < 200; ++seed) {
        numerators.insert(
            Generate(Generator::NotSmaller, Ranges(0, 0, 0, 0, 5, 5, 5, 5), Options(2), seed).a.Numerator);
    }
    EXPECT_EQ(numerators, (std::set<int>{1, 2, 3}));
}

// Settings under which a redraw loop can never stand must still end, as a
// failed call, while a draw that can stand is still found.
TEST(Generators, ImpossibleRedrawsEndTheCall)
{
    struct Row {
        const char* name;
        Generator generator;
        GeneratorRanges ranges;
        GeneratorOptions options;
    };
    const Row rows[] = {
        {"common multiple, one and the same denominator", Generator::NotSmaller,
         Ranges(0, 0, 0, 0, 5, 5, 5, 5), Options(2, true)},
        {"common multiple, lcm always 100 or more", Generator::NotSmaller, Ranges(0, 0, 0, 0, 97, 97, 98, 98),
         Options(2, true)},
        {"common multiple, a always the smaller", Generator::NotSmaller, Ranges(0, 0, 0, 0, 3, 3, 2, 2),
         Options(2, true)},
        {"both multiples too large", Generator::NotSmaller, Ranges(0, 0, 0, 0, 50, 99, 50, 99),
         Options(2, true, true)},
        {"same denominator needs 3 or more", Generator::Smaller, Ranges(1, 1, 0, 0, 2, 2, 2, 9), Options(5)},
        {"common multiple, a always 1/2 and b 1/3", Generator::Smaller, Ranges(1, 1, 0, 0, 2, 2, 3, 3),
         Options(5, true)},
        {"common multiple, same single value", Generator::Smaller, Ranges(1, 1, 0, 0, 7, 7, 7, 7),
         Options(5, true)},
        {"both multiples too large", Generator::Smaller, Ranges(1, 1, 0, 0, 50, 50, 60, 99),
         Options(5, true, true)},
    };
    for (const Row& r : rows) {
        const Call c = Generate(r.generator, r.ranges, r.options, 42);
        EXPECT_EQ(c.failed, 1) << r.name;
    }
}

TEST(Generators, ThePossibleMultipleDrawIsStillFound)
{
    // a's denominators 50..99 allow no multiple of a, but b's allow one of b.
    for (Generator g : {Generator::NotSmaller, Generator::Smaller}) {
        for (std::uint32_t seed = 0; seed < 50; ++seed) {
            const Call c = Generate(g, Ranges(1, 1, 0, 0, 50, 99, 2, 10),
                                    Options(g == Generator::Smaller ? 5 : 2, true, true), seed);
            ASSERT_EQ(c.failed, 0);
            EXPECT_EQ(c.a.Denominator % c.b.Denominator, 0);
            EXPECT_LE(c.a.Denominator, 99);
        }
    }
    // Only a = 2, 7, 14 or 98 has a common multiple with 49 below 100: found.
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
        const Call rare =
            Generate(Generator::NotSmaller, Ranges(0, 0, 0, 0, 2, 99, 49, 49), Options(2, true), seed);
        ASSERT_EQ(rare.failed, 0);
        EXPECT_EQ(98 % rare.a.Denominator, 0) << rare.a.Denominator;  // 2, 7, 14 or 98
    }
}

TEST(Generators, DrawCanStandMatchesTheRanges)
{
    EXPECT_FALSE(DrawCanStand(Draw::CommonMultipleNotSmaller, Ranges(0, 0, 0, 0, 5, 5, 5, 5)));
    EXPECT_TRUE(DrawCanStand(Draw::CommonMultipleNotSmaller, Ranges(0, 0, 0, 0, 2, 3, 2, 3)));
    EXPECT_FALSE(DrawCanStand(Draw::CommonMultipleSmaller, Ranges(0, 0, 0, 0, 2, 2, 3, 3)));
    EXPECT_TRUE(DrawCanStand(Draw::CommonMultipleSmaller, Ranges(0, 0, 0, 0, 3, 3, 2, 2)));
    EXPECT_FALSE(DrawCanStand(Draw::MultipleOfA, Ranges(0, 0, 0, 0, 50, 99, 2, 2)));
    EXPECT_TRUE(DrawCanStand(Draw::MultipleOfA, Ranges(0, 0, 0, 0, 49, 99, 2, 2)));
    EXPECT_FALSE(DrawCanStand(Draw::MultipleOfB, Ranges(0, 0, 0, 0, 2, 2, 50, 50)));
    EXPECT_FALSE(DrawCanStand(Draw::SameDenominatorSmaller, Ranges(0, 0, 0, 0, 2, 2, 2, 2)));
    EXPECT_TRUE(DrawCanStand(Draw::SameDenominatorSmaller, Ranges(0, 0, 0, 0, 2, 3, 2, 2)));
}

}  // namespace
}  // namespace tavrimo
