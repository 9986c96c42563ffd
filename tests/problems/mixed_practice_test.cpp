// Sets that mix problems with and without borrowing, cap the common
// denominator, and the bounds fast tests must pin: checked by exact
// arithmetic over many seeds.
#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "problem_set_support.h"
#include "problems/grade_presets.h"
#include "problems/problem_set.h"
#include "problems/setting_pairs.h"
#include "rational.h"

namespace tavrimo {
namespace {

using test::Assemble, test::Assembled, test::FractionPart;
using test::ValueOf;

bool Borrows(const ProblemTable& t, int i)
{
    return FractionPart(t.Minuend[i]) < FractionPart(t.Subtrahend[i]);
}

// The answer's fraction over the common denominator, one whole borrowed where
// a's part is the smaller: irreducible or not, as the answer kind asks.
bool ReducibleAsDrawn(const MixedNumber& a, const MixedNumber& b)
{
    const std::int64_t da = std::max(a.Denominator, 1), db = std::max(b.Denominator, 1), c = std::lcm(da, db);
    std::int64_t n = a.Numerator * (c / da) - b.Numerator * (c / db);
    if (n < 0) n += c;
    return std::gcd(n, c) != 1;
}

SettingsBoxes Grade5(int answerKind, int percent, bool easyFirst, int cap, bool common)
{
    SettingsBoxes b{
        .edtIntf1 = "1", .edtIntf2 = "9", .edtIntb2 = "5", .edtBunbof2 = "12", .edtBunbob2 = "12"};
    b.rgAnswer = answerKind, b.rgQNum = 1, b.rgTuubun = common, b.borrowMix = percent;
    b.easyFirst = easyFirst, b.maxCommonDenominator = cap;
    return b;
}

// Sets from many seeds, each full: borrowing in exactly the share asked (in all problems or none
// without one), the easy ones first when asked, common denominators within the cap, answers
// reducible as the kind asks (an irreducible answer stays so when its operands are reduced after
// the test; a reducible one need not), exact, and no problem twice.
void ExpectSetsAsAsked(const SettingsBoxes& boxes, std::uint32_t seeds)
{
    const int percent = boxes.borrowMix, kind = boxes.rgAnswer, cap = boxes.maxCommonDenominator;
    for (std::uint32_t seed = 0; seed < seeds; ++seed) {
        const Assembled m = Assemble(boxes, seed * 7919u);
        ASSERT_EQ(m.outcome.status, AssemblyStatus::Complete);
        const ProblemTable& t = m.sheet.table;
        const int n = m.sheet.QuestionCount;
        int borrowing = 0;
        std::set<std::pair<std::int32_t, std::int32_t>> distinct;
        for (int i = 1; i <= n; ++i) {
            const MixedNumber &a = t.Minuend[i], &b = t.Subtrahend[i];
            borrowing += Borrows(t, i);
            // The easy ones first: no borrowing after the first that borrows.
            if (boxes.easyFirst && percent >= 0 && i > 1) EXPECT_FALSE(Borrows(t, i - 1) && !Borrows(t, i));
            if (cap > 0) EXPECT_LE(CommonDenominatorOf(a, b), cap);
            if (kind % 3 == 0 || (kind % 3 == 1 && !boxes.rgYakubun))
                EXPECT_EQ(ReducibleAsDrawn(a, b), kind % 3 == 1) << i;
            EXPECT_EQ(ValueOf(t.Answer[i]), ValueOf(a) - ValueOf(b));
            distinct.insert({PackedKey(a), PackedKey(b)});
        }
        const int wanted = percent < 0 ? (kind >= 3 ? n : 0) : (percent * n + 50) / 100;
        EXPECT_EQ(borrowing, wanted) << "seed " << seed;
        EXPECT_EQ(distinct.size(), static_cast<std::size_t>(n));
    }
}

TEST(MixedPractice, ExactShareOrderCapAndAnswersOverManySeeds)
{
    for (int percent : {-1, 0, 25, 50, 75, 100})
        for (int kind : {1, 3, 5})
            for (bool easyFirst : {false, true})
                for (int cap : {0, 36}) {
                    SCOPED_TRACE(::testing::Message()
                                 << percent << "% kind " << kind << " easy " << easyFirst << " cap " << cap);
                    ExpectSetsAsAsked(Grade5(kind, percent, easyFirst, cap, cap > 0 || kind == 5), 40);
                }
}

TEST(MixedPractice, HalvesRoundUpAndPlacesComeFromTheSeed)
{
    const auto slots = [](int percent, std::uint32_t seed) {
        WorksheetSettings s;
        s.mix.BorrowPercent = percent;
        RandomSource source(seed);
        return BorrowingSlots(source, s);
    };
    // 16 problems at 25 % is exactly 4; 10 % of 16 is 1.6, so 2; 3 % is 0.48, so 0.
    for (const auto& [percent, wanted] : {std::pair{25, 4}, {10, 2}, {3, 0}, {50, 8}, {97, 16}}) {
        const auto drawn = slots(percent, 1);
        EXPECT_EQ(std::count(drawn.begin() + 1, drawn.begin() + 17, true), wanted) << percent;
    }
    // Without easy-first the places vary with the seed; the same seed gives the same places.
    EXPECT_EQ(slots(50, 1), slots(50, 1));
    EXPECT_NE(slots(50, 2), slots(50, 1));
}

TEST(MixedPractice, ScarceOrImpossibleCapsEndShortNeverHang)
{
    // Common denominators of at most 4 from denominators 2..12: only halves
    // and quarters, and with whole parts 1 and 0 a handful of problems.
    SettingsBoxes scarce = Grade5(2, 50, false, 4, true);
    scarce.edtIntf2 = "1", scarce.edtIntb2 = "0";
    const Assembled m = Assemble(scarce, 3);
    EXPECT_EQ(m.outcome.status, AssemblyStatus::Short);
    EXPECT_GT(m.sheet.QuestionCount, 0);
    for (int i = 1; i <= m.sheet.QuestionCount; ++i)
        EXPECT_LE(CommonDenominatorOf(m.sheet.table.Minuend[i], m.sheet.table.Subtrahend[i]), 4);
    // Two different denominators never have a common multiple of 2.
    EXPECT_EQ(Assemble(Grade5(2, 50, false, 2, true), 3).sheet.QuestionCount, 0);
    // The window's defaults borrow nothing: whole parts 0..0 leave no room to.
    SettingsBoxes defaults;
    defaults.borrowMix = 50;
    EXPECT_EQ(Assemble(defaults, 3).outcome.status, AssemblyStatus::Short);
}

// The bounds of the draws, where a mutation would pass every other fast test.
TEST(DrawBounds, CommonMultiplesStayBelowOneHundredAndBorrowingIsStrict)
{
    // 4 and 25: their least common multiple is 100 exactly, no problem; 9 and 11 make 99.
    for (const auto& [a, b, status] :
         {std::tuple{"4", "25", AssemblyStatus::Short}, {"9", "11", AssemblyStatus::Complete}}) {
        const SettingsBoxes boxes{
            .edtBunbof1 = a, .edtBunbof2 = a, .edtBunbob1 = b, .edtBunbob2 = b, .rgAnswer = 2, .rgTuubun = 1};
        const Assembled m = Assemble(boxes, 1);
        EXPECT_EQ(m.outcome.status, status) << a << ' ' << b;
        EXPECT_EQ(m.sheet.QuestionCount, status == AssemblyStatus::Complete ? 16 : 0) << a << ' ' << b;
    }

    // 1/3 and 2/6 are equal: a borrowing problem must never pair equal fraction parts.
    for (int kind : {4, 5}) {
        SettingsBoxes equalParts = Grade5(kind, -1, false, 0, true);
        equalParts.edtBunbof1 = "3", equalParts.edtBunbof2 = "4";
        equalParts.edtBunbob1 = "6", equalParts.edtBunbob2 = "8";
        for (std::uint32_t seed = 0; seed < 30; ++seed) {
            const Assembled m = Assemble(equalParts, seed);
            for (int i = 1; i <= m.sheet.QuestionCount; ++i) EXPECT_TRUE(Borrows(m.sheet.table, i)) << kind;
        }
    }
}

// Each grade's preset reads as it is written, keeps the settings it does not name, and makes
// full sets as it says.
TEST(GradePresets, EachMakesFullSetsAsItSays)
{
    for (const GradePreset& preset : GradePresets()) {
        SCOPED_TRACE(std::string(preset.name));
        std::vector<SettingPair> pairs;
        for (const PresetValue& v : preset.settings)
            pairs.push_back({std::string(v.name), std::string(v.value)});
        EXPECT_FALSE(ReadSettingPairs(pairs, PairSource::Link).refusal);
        const SettingsBoxes boxes = WithPreset({.PrnNum = "12", .borrowMix = 75, .sheets = 30}, preset);
        EXPECT_EQ(std::pair(boxes.PrnNum, boxes.sheets), std::pair(std::string("12"), 30));
        ExpectSetsAsAsked(boxes, 20);
        // A preset that promises reducible answers keeps that promise on the sheet as printed.
        for (std::uint32_t seed = 0; boxes.rgAnswer % 3 == 1 && seed < 20; ++seed) {
            const Assembled m = Assemble(boxes, seed);
            for (int i = 1; i <= m.sheet.QuestionCount; ++i)
                EXPECT_TRUE(ReducibleAsDrawn(m.sheet.table.Minuend[i], m.sheet.table.Subtrahend[i])) << i;
        }
    }
}

}  // namespace
}  // namespace tavrimo
