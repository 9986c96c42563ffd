#include "problems/problem_set.h"

#include <gtest/gtest.h>

#include <set>

#include "problem_set_support.h"

namespace tavrimo {
namespace {

using test::Assemble, test::Assembled;

TEST(PackedKey, PacksAndUnpacks)
{
    EXPECT_EQ(PackedKey({3, 5, 12}), 30512);
    EXPECT_EQ(UnpackKey(30512), (MixedNumber{3, 5, 12}));
    EXPECT_EQ(PackedKey({7, 0, 0}), 70000);
    EXPECT_EQ(UnpackKey(70000), (MixedNumber{7, 0, 0}));
    // A negative whole part does not come back.
    EXPECT_EQ(UnpackKey(PackedKey({-5, 3, 7})), (MixedNumber{-4, -96, -93}));
    EXPECT_EQ(UnpackKey(PackedKey({99, 98, 99})), (MixedNumber{99, 98, 99}));
    (void)PackedKey({INT32_MAX, INT32_MAX, INT32_MAX});  // wraps, defined
}

TEST(ProblemSet, DefaultsGiveSixteenDistinctProblems)
{
    for (std::uint32_t seed : {0u, 1u, 86399999u, 4294967295u}) {
        const Assembled s = Assemble({}, seed);
        EXPECT_EQ(s.outcome.status, AssemblyStatus::Complete);
        ASSERT_EQ(s.sheet.QuestionCount, 16);
        EXPECT_EQ(s.sheet.PrintNumber, 1);
        std::set<std::pair<int, int>> keys;
        for (int i = 1; i <= 16; ++i) {
            keys.insert({PackedKey(s.sheet.table.Minuend[i]), PackedKey(s.sheet.table.Subtrahend[i])});
            EXPECT_EQ(s.sheet.table.Minuend[i], UnpackKey(s.keys[i].Minuend));
        }
        EXPECT_EQ(keys.size(), 16u);
    }
}

TEST(ProblemSet, BoundsEitherWayRoundGiveTheSameSet)
{
    const SettingsBoxes reversed{
        .edtBunbof1 = "99", .edtBunbof2 = "2", .edtBunbob1 = "99", .edtBunbob2 = "2"};
    const Assembled a = Assemble({}, 77), b = Assemble(reversed, 77);
    EXPECT_EQ(a.sheet.table.Minuend, b.sheet.table.Minuend);
    EXPECT_EQ(a.sheet.table.Subtrahend, b.sheet.table.Subtrahend);
}

TEST(ProblemSet, ShortSets)
{
    struct Row {
        const char* name;
        SettingsBoxes boxes;
        std::int32_t count;
    };
    const SettingsBoxes noDenominators{
        .edtBunbof1 = "0", .edtBunbof2 = "0", .edtBunbob1 = "0", .edtBunbob2 = "0"};
    const Row rows[] = {
        {"no denominators: slot 1 fails", noDenominators, 0},
        {"borrowing needs a.Whole > b.Whole", {.rgAnswer = 4}, 0},
        {"only 1 1/2 - 1 1/2 and 1 1/3 - 1 1/3", test::TwoProblemsOnly(), 2},
    };
    for (const Row& r : rows) {
        const Assembled s = Assemble(r.boxes, 5);
        EXPECT_EQ(s.outcome.status, AssemblyStatus::Short) << r.name;
        EXPECT_EQ(s.sheet.QuestionCount, r.count) << r.name;
    }
}

TEST(ProblemSet, ASlotTakesItsProblemFromItsFirstThousandCalls)
{
    // Two distinct problems only: slot 3 makes 1001 calls and fails. Each
    // call of these settings makes exactly 5 Random calls.
    RandomSource source(11);
    Sheet sheet;
    ProblemKeys keys{};
    AssembleProblemSet(test::TwoProblemsOnly(), source, sheet, keys);
    std::uint32_t s = 11;
    std::uint64_t n = 0;
    while (s != source.seed()) s = s * 134775813u + 1u, ++n;
    EXPECT_EQ(n % 5, 0u);
    EXPECT_GE(n, 5u * 1001);
    EXPECT_LT(n, 5u * (1001 + 2 + 1000));
}

TEST(ProblemSet, RepeatsAreEarlierSlotsWithTheSameOperands)
{
    // The generators never make two whole numbers from accepted settings, so
    // that rule is checked on the test itself.
    ProblemKeys keys{};
    const MixedNumber half{3, 1, 2}, whole{1, 0, 0}, otherWhole{3, 0, 0};
    keys[1] = {PackedKey(half), PackedKey(whole)};
    keys[2] = {PackedKey(otherWhole), PackedKey(whole)};
    const struct {
        const char* name;
        std::int32_t slot;
        MixedNumber a, b;
        bool repeats;
    } rows[] = {
        {"same operands as slot 1", 3, half, whole, true},
        {"slot 1 is earlier than slot 2", 2, half, whole, true},
        {"not earlier than itself", 1, half, whole, false},
        {"operands swapped", 3, whole, half, false},
        {"two whole numbers, though slot 2 holds them", 3, otherWhole, whole, false},
    };
    for (const auto& r : rows) EXPECT_EQ(RepeatsEarlier(keys, r.slot, r.a, r.b), r.repeats) << r.name;
}

TEST(ProblemSet, ARefusalChangesNothingButTheSheetNumber)
{
    RandomSource source(3);
    Sheet sheet;
    ProblemKeys keys{};
    ASSERT_EQ(AssembleProblemSet({}, source, sheet, keys).status, AssemblyStatus::Complete);
    const ProblemTable before = sheet.table;
    const ProblemKeys keysBefore = keys;
    const std::uint32_t seedBefore = source.seed();

    const std::pair<std::string SettingsBoxes::*, const char*> bad[] = {
        {&SettingsBoxes::edtIntb1, "x"},    {&SettingsBoxes::edtIntf2, ""},
        {&SettingsBoxes::edtBunbof1, "1"},  {&SettingsBoxes::edtIntf1, "-1"},
        {&SettingsBoxes::edtBunbob2, "7 "}, {&SettingsBoxes::edtBunbof2, "\xEF\xBC\x99"},
    };
    for (const auto& [field, text] : bad) {
        SettingsBoxes boxes{.PrnNum = "8", .rgQNum = 1};  // 20 problems asked, but the 16 stay
        boxes.*field = text;
        const AssemblyOutcome o = AssembleProblemSet(boxes, source, sheet, keys);
        EXPECT_EQ(o.status, AssemblyStatus::Refused) << text;
        EXPECT_EQ(o.message.back(), '.') << o.message;
        EXPECT_EQ(sheet.QuestionCount, 16);
        EXPECT_EQ(sheet.PrintNumber, 8);
        EXPECT_EQ(sheet.table.Minuend, before.Minuend);
        EXPECT_EQ(keys, keysBefore);
        EXPECT_EQ(source.seed(), seedBefore);
    }
    sheet.PrintNumber = 5;
    EXPECT_EQ(AssembleProblemSet({.PrnNum = "$"}, source, sheet, keys).message, "'$' は整数ではありません.");
    EXPECT_EQ(sheet.PrintNumber, 5);
}

TEST(ProblemSet, ShortSetKeepsLaterSlotsOfTheEarlierSet)
{
    RandomSource source(8);
    Sheet sheet;
    ProblemKeys keys{};
    AssembleProblemSet({}, source, sheet, keys);
    const ProblemTable before = sheet.table;
    EXPECT_EQ(AssembleProblemSet(test::TwoProblemsOnly(), source, sheet, keys).status, AssemblyStatus::Short);
    EXPECT_EQ(sheet.QuestionCount, 2);
    for (int i = 3; i <= 16; ++i) EXPECT_EQ(sheet.table.Minuend[i], before.Minuend[i]);
    EXPECT_EQ(sheet.table.Minuend[1].Whole, 1);
}

}  // namespace
}  // namespace tavrimo
