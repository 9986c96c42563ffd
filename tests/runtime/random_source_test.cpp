#include "runtime/random_source.h"

#include <gtest/gtest.h>

namespace tavrimo {
namespace {

struct Step {
    std::int32_t n;
    std::int32_t result;
    std::uint32_t state;
};

// Worked out from the formula: state = state * 134775813 + 1, result = the
// upper half of n (as unsigned) times the new state.
void ExpectSequence(std::uint32_t seed, std::initializer_list<Step> steps)
{
    RandomSource source(seed);
    for (const Step& s : steps) {
        EXPECT_EQ(source.Random(s.n), s.result) << "n=" << s.n;
        EXPECT_EQ(source.seed(), s.state);
    }
}

TEST(RandomSource, KnownSequences)
{
    ExpectSequence(
        1, {{100, 3, 134775814u}, {100, 86, 3698175007u}, {100, 20, 870078620u}, {7, 1, 1172187917u}});
    // Random(0) and Random(1) give 0 and still advance.
    ExpectSequence(12345,
                   {{0, 0, 1655067934u}, {1, 0, 1242767767u}, {99, 7, 342459380u}, {98, 54, 2377737157u}});
    // The state wraps modulo 2^32.
    ExpectSequence(0xFFFFFFFFu, {{10, 9, 4160191484u}, {10, 2, 866343917u}});
}

TEST(RandomSource, ZeroSeedFirstCallGivesZeroForAnyCount)
{
    for (std::int32_t n : {1, 2, 1000, 0x7FFFFFFF, -1}) {
        RandomSource source(0);
        EXPECT_EQ(source.Random(n), 0);
        EXPECT_EQ(source.seed(), 1u);
    }
}

TEST(RandomSource, NegativeCountIsTakenAsUnsigned)
{
    // Random(-1) is the new state minus one, reinterpreted as signed.
    ExpectSequence(0, {{1000, 0, 1u}, {-1, 134775813, 134775814u}, {-1, -596792290, 3698175007u}});
}

TEST(RandomSource, SameSeedSameSequence)
{
    RandomSource a(987654321), b(987654321);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(a.Random(i % 97 + 1), b.Random(i % 97 + 1));
}

TEST(RandomSource, SeedIsMillisecondOfTheDay)
{
    EXPECT_EQ(SeedFromTimeOfDay(0, 0, 0, 0), 0u);
    EXPECT_EQ(SeedFromTimeOfDay(23, 59, 59, 999), 86399999u);
    EXPECT_EQ(SeedFromTimeOfDay(1, 2, 3, 4), 3723004u);
    RandomSource source(0xFFFFFFFFu);
    Randomize(source);
    EXPECT_LT(source.seed(), 86400000u);
}

}  // namespace
}  // namespace tavrimo
