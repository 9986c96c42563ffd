// Every set of the settings space against its generators' properties, exact arithmetic, assembly rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "problems/answer.h"
#include "problems/generators.h"
#include "problems/problem_set.h"
#include "rational.h"
#include "settings_space.h"

namespace tavrimo {
namespace {

// A problem as the table holds it, and as its generator call drew it before the optional reduction.
struct Made {
    MixedNumber a, b, rawA, rawB;
};

// The set the assembly must make: generator calls from the seed, each slot taking the first of its
// first 1000 calls that is no repeat, the set stopping at the first failure. Each accepted call is
// made again from the state it started in without reduction (which draws nothing), giving the
// operands the answer kind was judged on. Only `slots` slots are replayed: a failing one costs up
// to a million attempts, and the bound has its own tests. Returns the problems and the final seed.
std::pair<std::vector<Made>, std::uint32_t> ReplaySet(const GeneratorRanges& r, const GeneratorOptions& o,
                                                      int slots, std::uint32_t seed)
{
    std::vector<Made> made;
    RandomSource source(seed);
    const auto failed = [&](const GeneratorOptions& with, MixedNumber& a, MixedNumber& b) {
        GeneratorContext context(source, r, with);
        std::int32_t failure = 0;
        (with.Borrowing ? Smaller0 : NotSmaller0)(context, a, b, failure);
        return failure != 0;
    };
    GeneratorOptions unreduced = o;
    unreduced.ReduceOperands = false;
    for (int calls = 1; static_cast<int>(made.size()) < slots; ++calls) {
        const std::uint32_t before = source.seed();
        Made m;
        if (failed(o, m.a, m.b) || calls > kMaxTries) break;
        if (std::ranges::any_of(made, [&](const Made& p) { return p.a == m.a && p.b == m.b; })) continue;
        const std::uint32_t after = source.seed();
        source.setSeed(before);
        failed(unreduced, m.rawA, m.rawB);
        source.setSeed(after);
        made.push_back(m);
        calls = 0;
    }
    return {made, source.seed()};
}

// The first stated property of its generator that a problem as drawn breaks, or "".
std::string GeneratorFault(const MixedNumber& a, const MixedNumber& b, const GeneratorRanges& r,
                           const GeneratorOptions& o)
{
    const auto in = [](std::int32_t v, std::int32_t low, std::int32_t high) { return v >= low && v <= high; };
    const auto proper = [](const MixedNumber& m) {
        return m.Numerator >= 1 && m.Numerator < m.Denominator && m.Denominator <= 99;
    };
    const bool borrowing = o.Borrowing;
    const bool aWithout = r.DenAMin == 0 || r.DenAMax == 0, bWithout = r.DenBMin == 0 || r.DenBMax == 0;
    if (!in(a.Whole, r.WholeAMin, r.WholeAMax) || !in(b.Whole, r.WholeBMin, r.WholeBMax) ||
        (borrowing ? a.Whole <= b.Whole : a.Whole < b.Whole))
        return "whole parts outside their ranges or in the wrong order";
    // Borrowing needs b's fraction part and may do without a's; no borrowing the other way round.
    const MixedNumber& needed = borrowing ? b : a;
    const MixedNumber& other = borrowing ? a : b;
    if ((borrowing ? bWithout : aWithout) || !proper(needed) ||
        ((borrowing ? aWithout : bWithout) ? other.Numerator != 0 || other.Denominator != 0
                                           : !proper(other)) ||
        (borrowing && aWithout && o.CommonDenominator))
        return "fraction parts not as the answer kind and the ranges ask";
    const test::Rational fa = test::FractionPart(a), fb = test::FractionPart(b);
    if (borrowing != (fa < fb)) return "the wrong fraction part is the smaller";

    // Denominator pairing: in range, one shared or two different with a common
    // multiple under 100, or one 2 to 6 times the other (fraction parts unequal).
    const bool inA = in(a.Denominator, r.DenAMin, r.DenAMax), inB = in(b.Denominator, r.DenBMin, r.DenBMax);
    const auto multiple = [&](std::int32_t x, std::int32_t y) { return y % x == 0 && in(y / x, 2, 6); };
    const bool paired = aWithout || bWithout   ? (aWithout ? inB : inA)
                        : !o.CommonDenominator ? inA && a.Denominator == b.Denominator
                        : !o.MultiplePattern   ? inA && inB && a.Denominator != b.Denominator &&
                                                   std::lcm(a.Denominator, b.Denominator) < 100
                                             : ((inA && multiple(a.Denominator, b.Denominator)) ||
                                                (inB && multiple(b.Denominator, a.Denominator))) &&
                                                   !(fa == fb);
    if (!paired) return "denominators not paired as the options ask";
    if (bWithout) return {};  // no answer test without b's fraction part

    // The answer's fraction part over the common denominator C of the operands
    // as drawn, one whole (C/C) borrowed where a's part is the smaller.
    const std::int64_t da = std::max(a.Denominator, 1), db = std::max(b.Denominator, 1), C = std::lcm(da, db);
    const std::int64_t D = a.Numerator * (C / da) - b.Numerator * (C / db);
    const bool reducible = std::gcd(C, borrowing ? C + D : D) != 1;
    if (o.AnswerReduction != Reduction::Either && reducible != (o.AnswerReduction == Reduction::Reducible))
        return "the wrong answer reducibility";
    return {};
}

struct Tally {
    int refused = 0, reversed = 0, complete = 0, shortSets = 0, problems = 0;
};

// The first fault of one set, or "".
std::string CheckSet(const test::Bounds& bounds, const GeneratorOptions& options, int seedIndex, Tally& tally)
{
    const std::uint32_t seed = test::kSweepSeeds[static_cast<std::size_t>(seedIndex)];
    const SettingsBoxes boxes = test::BoxesOf(bounds, options, seedIndex);
    const std::int32_t count = seedIndex == 0 ? 16 : 20;
    // The first box outside its domain (whole parts 0..99, denominators 0 or 2..99), or 8.
    int bad = 0;
    while (bad < 8 && bounds[bad] >= 0 && bounds[bad] <= 99 && (bad < 4 || bounds[bad] != 1)) ++bad;
    const auto lo = [&](int i) { return std::min(bounds[i], bounds[i + 1]); };
    const auto hi = [&](int i) { return std::max(bounds[i], bounds[i + 1]); };
    const GeneratorRanges ranges{lo(0), hi(0), lo(2), hi(2), lo(4), hi(4), lo(6), hi(6)};
    // Reversed bounds read in order make the set of the ordered ones, checked as such.
    if (bad == 8 &&
        (bounds[0] > bounds[1] || bounds[2] > bounds[3] || bounds[4] > bounds[5] || bounds[6] > bounds[7])) {
        ++tally.reversed;
        const auto read = ReadSettings(boxes).settings;
        return read && !std::memcmp(&read->ranges, &ranges, sizeof ranges) ? "" : "reversed bounds misread";
    }

    // A table left by an earlier set, so that a refusal's "nothing changed" shows.
    Sheet state;  // QuestionCount 5
    state.QuestionCount = 5;
    ProblemTable& table = state.table;
    table.Minuend.fill({2, 1, 3});
    ProblemKeys keys;
    keys.fill({PackedKey(table.Minuend[1]), 0});
    const ProblemTable before = table;
    const ProblemKeys keysBefore = keys;
    RandomSource source(seed);
    const AssemblyOutcome outcome = AssembleProblemSet(boxes, source, state, keys);
    if (state.PrintNumber != 7) return "the sheet number was not read";
    if (bad < 8) {
        ++tally.refused;
        const char* const labels[4] = {"aの整数部分", "bの整数部分", "aの分母", "bの分母"};
        if (outcome.status != AssemblyStatus::Refused) return "settings outside the domain were taken";
        if (outcome.message.find(labels[bad / 2]) != 0 || outcome.message.back() != '.' ||
            outcome.message.find("「" + std::to_string(bounds[bad]) + "」") == std::string::npos)
            return "refused with the message \"" + outcome.message + "\"";
        if (table.Minuend != before.Minuend || table.Subtrahend != before.Subtrahend || keys != keysBefore ||
            state.QuestionCount != 5 || source.seed() != seed)
            return "a refusal changed the set";
        return {};
    }
    if (outcome.status == AssemblyStatus::Refused) return "refused: " + outcome.message;

    const std::int32_t made = state.QuestionCount;
    const auto [replay, endSeed] = ReplaySet(ranges, options, std::clamp(made, 0, count), seed);
    if (made < 0 || made > count ||
        outcome.status != (made == count ? AssemblyStatus::Complete : AssemblyStatus::Short))
        return "QuestionCount " + std::to_string(made) + " with the wrong outcome";
    ++(made == count ? tally.complete : tally.shortSets);
    if (replay.size() != static_cast<std::size_t>(made)) return "more problems than the generator calls give";
    if (made == count && source.seed() != endSeed) return "the set made a different number of Random calls";
    const auto text = [](const MixedNumber& m) {
        return std::to_string(m.Whole) + ' ' + std::to_string(m.Numerator) + '/' +
               std::to_string(m.Denominator);
    };
    const auto asAsked = [&](const MixedNumber& x, const MixedNumber& raw) {
        return options.ReduceOperands ? test::ValueOf(x) == test::ValueOf(raw) && test::InLowestTerms(x)
                                      : x == raw;
    };
    // The replay admits no repeat, so a table that matches it holds none.
    for (std::int32_t i = 1; i <= made; ++i) {
        const Made& m = replay[static_cast<std::size_t>(i - 1)];
        const std::string where =
            "problem " + std::to_string(i) + " (" + text(m.rawA) + " - " + text(m.rawB) + " as drawn): ";
        if (table.Minuend[i] != m.a || table.Subtrahend[i] != m.b)
            return where + "the table does not hold the problem of its generator call";
        if (!asAsked(m.a, m.rawA) || !asAsked(m.b, m.rawB))
            return where + "the operands are not reduced as asked";
        if (std::string f = GeneratorFault(m.rawA, m.rawB, ranges, options); !f.empty()) return where + f;
        CalcAnswer(table, i, "-");
        const MixedNumber& answer = table.Answer[i];
        const test::Rational exact = test::ValueOf(m.a) - test::ValueOf(m.b);
        if (test::ValueOf(answer) != exact || !test::InLowestTerms(answer) || answer.Whole < 0)
            return where + "answer " + text(answer) + ", exact " + std::to_string(exact.num) + '/' +
                   std::to_string(exact.den);
        ++tally.problems;
    }
    return {};
}

// The parameter is answer kind * 8 + option bits: common denominator, multiple, reduction.
GeneratorOptions OptionsOf(int param)
{
    return test::KindOptions(param / 8, (param & 1) != 0, (param & 2) != 0, (param & 4) != 0);
}

class SettingsSweep : public ::testing::TestWithParam<int> {};

TEST_P(SettingsSweep, WholePartAndDenominatorBounds)
{
    Tally tally;
    int faults = 0;
    const auto run = [&](const test::Bounds& bounds, int seedIndex) {
        const std::string fault = CheckSet(bounds, OptionsOf(GetParam()), seedIndex, tally);
        if (!fault.empty() && ++faults <= 10)
            ADD_FAILURE() << ::testing::PrintToString(bounds) << " seed " << seedIndex << ": " << fault;
    };
    for (int s = 0; s < 2; ++s) {
        for (const auto& d : test::kFixedDenominators) test::ForEachBounds(test::kWholeValues, 0, d, s, run);
        test::ForEachBounds(test::kDenominatorValues, 4, test::kFixedWholeParts[s], s, run);
    }
    EXPECT_EQ(faults, 0);
    // The sweep must reach every outcome, and many problems.
    EXPECT_TRUE(tally.refused > 0 && tally.reversed > 0 && tally.complete > 0 && tally.shortSets > 0)
        << tally.refused << ' ' << tally.reversed << ' ' << tally.complete << ' ' << tally.shortSets;
    EXPECT_GT(tally.problems, 1000);
}

INSTANTIATE_TEST_SUITE_P(AllOptions, SettingsSweep, ::testing::Range(0, 48), [](const auto& info) {
    const GeneratorOptions o = OptionsOf(info.param);
    return "Kind" + std::to_string(test::AnswerKind(o)) + (o.CommonDenominator ? "_Common" : "_Separate") +
           (o.MultiplePattern ? "_Multiple" : "_NoMultiple") + (o.ReduceOperands ? "_Reduce" : "_AsDrawn");
});

}  // namespace
}  // namespace tavrimo
