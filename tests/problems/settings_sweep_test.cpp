// The whole settings space: every set the sweep makes is checked against the
// generators' stated properties, exact arithmetic and the assembly's rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "problems/answer.h"
#include "problems/generators.h"
#include "problems/problem_set.h"
#include "rational.h"
#include "settings_space.h"

namespace tavrimo {
namespace {

using test::Bounds;
using test::SweepOptions;

bool WholeInDomain(std::int32_t v)
{
    return v >= 0 && v <= 99;
}

bool DenominatorInDomain(std::int32_t v)
{
    return v == 0 || (v >= 2 && v <= 99);
}

// The first box outside its domain, in reading order, or -1.
int FirstOutOfDomain(const Bounds& b)
{
    for (int i = 0; i < 8; ++i) {
        const bool ok = i < 4 ? WholeInDomain(b.v[i]) : DenominatorInDomain(b.v[i]);
        if (!ok) return i;
    }
    return -1;
}

const char* const kBoxLabels[8] = {"aの整数部分", "aの整数部分", "bの整数部分", "bの整数部分",
                                   "aの分母",     "aの分母",     "bの分母",     "bの分母"};

GeneratorRanges OrderedRanges(const Bounds& b)
{
    auto lo = [&](int i) { return std::min(b.v[i], b.v[i + 1]); };
    auto hi = [&](int i) { return std::max(b.v[i], b.v[i + 1]); };
    return {lo(0), hi(0), lo(2), hi(2), lo(4), hi(4), lo(6), hi(6)};
}

std::string Describe(const Bounds& b, const SweepOptions& o, std::uint32_t seed)
{
    std::ostringstream s;
    s << "whole a " << b.v[0] << ".." << b.v[1] << ", b " << b.v[2] << ".." << b.v[3] << "; denominators a "
      << b.v[4] << ".." << b.v[5] << ", b " << b.v[6] << ".." << b.v[7] << "; kind " << o.AnswerKind
      << (o.CommonDenominator ? ", common" : "") << (o.MultiplePattern ? ", multiple" : "")
      << (o.ReduceOperands ? ", reduce" : "") << "; seed " << seed;
    return s.str();
}

std::ostream& operator<<(std::ostream& out, const MixedNumber& m)
{
    return out << m.Whole << ' ' << m.Numerator << '/' << m.Denominator;
}

MixedNumber LowestTerms(MixedNumber m)
{
    if (m.Denominator == 0) return m;
    const std::int32_t g = std::gcd(m.Numerator, m.Denominator);
    return {m.Whole, m.Numerator / g, m.Denominator / g};
}

bool Proper(const MixedNumber& m)
{
    return m.Numerator >= 1 && m.Numerator < m.Denominator && m.Denominator <= 99;
}

bool NoFraction(const MixedNumber& m)
{
    return m.Numerator == 0 && m.Denominator == 0;
}

bool Within(std::int32_t v, std::int32_t low, std::int32_t high)
{
    return v >= low && v <= high;
}

// One problem of a set: as it stands in the table, and as its generator call
// made it before the optional reduction.
struct Made {
    MixedNumber a, b;
    MixedNumber rawA, rawB;
};

bool SameProblem(const Made& x, const Made& y)
{
    return x.a == y.a && x.b == y.b;
}

// The set the assembly must make: generator calls one after the other from
// the seed, each slot taking the first call of its first 1000 that is not a
// repeat, the whole set stopping at the first failure. Each accepted call is
// made a second time from the state it started in, without reduction, which
// makes no Random call: that gives the operands the answer kind was judged on.
// The replay stops after `slots` slots: the slot a short set fails at costs
// up to 1001 calls of up to 1001 attempts, and the bound itself has its own
// tests.
struct Replay {
    std::vector<Made> problems;
    std::uint32_t endSeed = 0;
    std::string fault;  // the unreduced call did not run as the reduced one
};

Replay ReplaySet(const GeneratorRanges& ranges, const GeneratorOptions& options, int slots,
                 std::uint32_t seed)
{
    Replay replay;
    RandomSource source(seed);
    auto call = [&](const GeneratorOptions& o, MixedNumber& a, MixedNumber& b) {
        GeneratorContext context(source, ranges, o);
        std::int32_t failed = 0;
        if (o.AnswerKind >= 3) {
            Smaller0(context, a, b, failed);
        } else {
            NotSmaller0(context, a, b, failed);
        }
        return failed;
    };
    GeneratorOptions unreduced = options;
    unreduced.ReduceOperands = false;

    for (int slot = 1; slot <= slots; ++slot) {
        for (int calls = 1;; ++calls) {
            const std::uint32_t before = source.seed();
            Made m;
            const std::int32_t failed = call(options, m.a, m.b);
            if (failed != 0 || calls > kMaxCallsPerSlot) {
                replay.endSeed = source.seed();
                return replay;
            }
            if (std::any_of(replay.problems.begin(), replay.problems.end(),
                            [&](const Made& p) { return SameProblem(p, m); })) {
                continue;
            }
            const std::uint32_t after = source.seed();
            source.setSeed(before);
            if (call(unreduced, m.rawA, m.rawB) != 0 || source.seed() != after) {
                replay.fault = "the call without reduction ran differently";
            }
            replay.problems.push_back(m);
            break;
        }
    }
    replay.endSeed = source.seed();
    return replay;
}

// The fraction part of the answer over the common denominator C of the two
// operands as drawn: a's minus b's without borrowing, one whole (C/C) plus
// a's minus b's with it.
struct AnswerFraction {
    std::int64_t C = 1;
    std::int64_t numerator = 0;
};

AnswerFraction FractionOfAnswer(const MixedNumber& a, const MixedNumber& b, bool borrowing)
{
    const std::int64_t da = a.Denominator == 0 ? 1 : a.Denominator;
    const std::int64_t db = b.Denominator == 0 ? 1 : b.Denominator;
    const std::int64_t C = std::lcm(da, db);
    const std::int64_t D = a.Numerator * (C / da) - b.Numerator * (C / db);
    return {C, borrowing ? C + D : D};
}

// The first stated property of its generator that a problem breaks, or "".
std::string GeneratorFault(const Made& m, const GeneratorRanges& r, const GeneratorOptions& o)
{
    const MixedNumber& a = m.rawA;
    const MixedNumber& b = m.rawB;
    const bool borrowing = o.AnswerKind >= 3;
    const bool aWithout = r.DenAMin == 0 || r.DenAMax == 0;
    const bool bWithout = r.DenBMin == 0 || r.DenBMax == 0;

    if (!Within(a.Whole, r.WholeAMin, r.WholeAMax)) return "a's whole part outside its range";
    if (!Within(b.Whole, r.WholeBMin, r.WholeBMax)) return "b's whole part outside its range";
    if (borrowing ? a.Whole <= b.Whole : a.Whole < b.Whole) return "whole parts in the wrong order";

    if (borrowing) {
        if (bWithout) return "a problem although b has no denominator range";
        if (!Proper(b)) return "b's fraction part is not a proper fraction";
        if (aWithout ? !NoFraction(a) : !Proper(a)) return "a's fraction part is wrong";
        if (aWithout && o.CommonDenominator) return "a common denominator with a whole minuend";
    } else {
        if (aWithout) return "a problem although a has no denominator range";
        if (!Proper(a)) return "a's fraction part is not a proper fraction";
        if (bWithout ? !NoFraction(b) : !Proper(b)) return "b's fraction part is wrong";
    }

    const test::Rational fa = test::FractionPart(a), fb = test::FractionPart(b);
    if (borrowing != (fa < fb)) {
        return borrowing ? "a's fraction part is not the smaller" : "a's fraction part is the smaller";
    }

    // Denominator pairing.
    if (aWithout || bWithout) {
        if (aWithout && !Within(b.Denominator, r.DenBMin, r.DenBMax))
            return "b's denominator outside its range";
        if (bWithout && !Within(a.Denominator, r.DenAMin, r.DenAMax))
            return "a's denominator outside its range";
        if (bWithout) return {};  // no answer test without b's fraction part
    } else if (!o.CommonDenominator) {
        if (a.Denominator != b.Denominator) return "different denominators without a common denominator";
        if (!Within(a.Denominator, r.DenAMin, r.DenAMax)) return "the denominator outside a's range";
    } else if (!o.MultiplePattern) {
        if (a.Denominator == b.Denominator) return "equal denominators with a common denominator";
        if (!Within(a.Denominator, r.DenAMin, r.DenAMax)) return "a's denominator outside its range";
        if (!Within(b.Denominator, r.DenBMin, r.DenBMax)) return "b's denominator outside its range";
        if (std::lcm(a.Denominator, b.Denominator) >= 100) return "a common multiple of 100 or more";
    } else {
        const bool ofA = b.Denominator % a.Denominator == 0 && Within(b.Denominator / a.Denominator, 2, 6) &&
                         Within(a.Denominator, r.DenAMin, r.DenAMax);
        const bool ofB = a.Denominator % b.Denominator == 0 && Within(a.Denominator / b.Denominator, 2, 6) &&
                         Within(b.Denominator, r.DenBMin, r.DenBMax);
        if (!ofA && !ofB) return "neither denominator 2 to 6 times the other";
        if (fa == fb) return "equal fraction parts from a multiple draw";
    }

    const AnswerFraction f = FractionOfAnswer(a, b, borrowing);
    const bool reducible = std::gcd(f.C, f.numerator) != 1;
    switch (o.AnswerKind % 3) {
        case 0:
            if (reducible) return "a reducible answer where an irreducible one was asked";
            break;
        case 1:
            if (!reducible) return "an irreducible answer where a reducible one was asked";
            break;
        default: break;
    }
    return {};
}

// Collects the faults of one test, reporting the first few in full.
class Faults {
public:
    void Add(const std::string& where, const std::string& what)
    {
        if (++count_ <= 10) ADD_FAILURE() << where << ": " << what;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

struct Tally {
    int refused = 0, reversed = 0, complete = 0, shortSets = 0, problems = 0;
};

bool SameRanges(const GeneratorRanges& x, const GeneratorRanges& y)
{
    return x.WholeAMin == y.WholeAMin && x.WholeAMax == y.WholeAMax && x.WholeBMin == y.WholeBMin &&
           x.WholeBMax == y.WholeBMax && x.DenAMin == y.DenAMin && x.DenAMax == y.DenAMax &&
           x.DenBMin == y.DenBMin && x.DenBMax == y.DenBMax;
}

bool SameOptions(const GeneratorOptions& x, const GeneratorOptions& y)
{
    return x.AnswerKind == y.AnswerKind && x.CommonDenominator == y.CommonDenominator &&
           x.MultiplePattern == y.MultiplePattern && x.ReduceOperands == y.ReduceOperands;
}

bool SomePairReversed(const Bounds& b)
{
    return b.v[0] > b.v[1] || b.v[2] > b.v[3] || b.v[4] > b.v[5] || b.v[6] > b.v[7];
}

void CheckSet(const Bounds& bounds, const SweepOptions& options, int seedIndex, Faults& faults, Tally& tally)
{
    const std::uint32_t seed = test::kSweepSeeds[static_cast<std::size_t>(seedIndex)];
    const SettingsBoxes boxes = test::BoxesOf(bounds, options, seedIndex);
    const std::int32_t count = 16 + 4 * boxes.rgQNum;
    auto fault = [&](const std::string& what) { faults.Add(Describe(bounds, options, seed), what); };

    const int bad = FirstOutOfDomain(bounds);
    const GeneratorRanges ranges = OrderedRanges(bounds);
    const GeneratorOptions generatorOptions{options.AnswerKind, options.CommonDenominator,
                                            options.MultiplePattern, options.ReduceOperands};
    if (bad < 0) {
        const std::optional<WorksheetSettings> read = ReadSettings(boxes).settings;
        if (!read || !SameRanges(read->ranges, ranges) || !SameOptions(read->options, generatorOptions) ||
            read->ProblemCount != count) {
            return fault("the generators are not given the settings the boxes hold, each range in order");
        }
        // The set is made from these settings alone, so bounds typed the
        // wrong way round give the set of the ordered bounds, checked below.
        if (SomePairReversed(bounds)) {
            ++tally.reversed;
            return;
        }
    }

    // A table left by an earlier set, so a refusal's "nothing changed" shows.
    ProblemTable table;
    ProblemKeys keys{};
    for (int i = 1; i <= kMaxProblems; ++i) {
        table.Minuend[i] = {i, 1, 3};
        table.Subtrahend[i] = {0, 1, 3};
        keys[i] = {PackedKey(table.Minuend[i]), PackedKey(table.Subtrahend[i])};
    }
    const ProblemTable before = table;
    const ProblemKeys keysBefore = keys;
    SheetState state;
    state.QuestionCount = 5;
    RandomSource source(seed);

    const AssemblyOutcome outcome = AssembleProblemSet(boxes, source, table, keys, state);
    if (state.PrintNumber != 7) fault("the sheet number was not read");
    if (bad >= 0) {
        ++tally.refused;
        const std::string value = "「" + std::to_string(bounds.v[bad]) + "」";
        if (outcome.status != AssemblyStatus::Refused) return fault("settings outside the domain were taken");
        if (outcome.message.find(kBoxLabels[bad]) != 0 || outcome.message.find(value) == std::string::npos ||
            outcome.message.back() != '.') {
            fault("refused with the message \"" + outcome.message + "\"");
        }
        if (!(table.Minuend == before.Minuend && table.Subtrahend == before.Subtrahend &&
              keys == keysBefore && state.QuestionCount == 5 && source.seed() == seed)) {
            fault("a refusal changed the set");
        }
        return;
    }
    if (outcome.status == AssemblyStatus::Refused) return fault("refused: " + outcome.message);

    if (state.QuestionCount < 0 || state.QuestionCount > count) {
        return fault("QuestionCount " + std::to_string(state.QuestionCount));
    }
    const bool complete = state.QuestionCount == count;
    if (outcome.status != (complete ? AssemblyStatus::Complete : AssemblyStatus::Short)) {
        fault("the outcome does not match the number of problems");
    }
    complete ? ++tally.complete : ++tally.shortSets;

    const Replay replay = ReplaySet(ranges, generatorOptions, state.QuestionCount, seed);
    if (!replay.fault.empty()) fault(replay.fault);
    const auto made = static_cast<std::int32_t>(replay.problems.size());
    if (made != state.QuestionCount) {
        return fault("QuestionCount " + std::to_string(state.QuestionCount) +
                     ", but the generator calls give " + std::to_string(made));
    }
    if (complete && source.seed() != replay.endSeed) fault("the set made a different number of Random calls");

    // Settings under which no call can succeed.
    const bool borrowing = options.AnswerKind >= 3;
    const bool wholesNever =
        borrowing ? ranges.WholeAMax <= ranges.WholeBMin : ranges.WholeAMax < ranges.WholeBMin;
    const bool aWithout = ranges.DenAMin == 0 || ranges.DenAMax == 0;
    const bool bWithout = ranges.DenBMin == 0 || ranges.DenBMax == 0;
    const bool never =
        wholesNever || (borrowing ? bWithout || (aWithout && options.CommonDenominator) : aWithout);
    if (never && made != 0) fault("problems made under settings that admit none");

    for (std::int32_t i = 1; i <= made; ++i) {
        const Made& m = replay.problems[static_cast<std::size_t>(i - 1)];
        std::ostringstream where;
        where << "problem " << i << " (" << m.rawA << " - " << m.rawB << " as drawn): ";
        if (table.Minuend[i] != m.a || table.Subtrahend[i] != m.b) {
            fault(where.str() + "the table does not hold the problem of its generator call");
            continue;
        }
        const bool reducedRight = options.ReduceOperands
                                      ? m.a == LowestTerms(m.rawA) && m.b == LowestTerms(m.rawB)
                                      : m.a == m.rawA && m.b == m.rawB;
        if (!reducedRight) fault(where.str() + "the operands are not reduced as asked");
        if (const std::string f = GeneratorFault(m, ranges, generatorOptions); !f.empty())
            fault(where.str() + f);

        CalcAnswer(table, i, "-");
        const MixedNumber& answer = table.Answer[i];
        const test::Rational exact = test::ValueOf(m.a) - test::ValueOf(m.b);
        if (test::ValueOf(answer) != exact || !test::InLowestTerms(answer) || answer.Whole < 0) {
            std::ostringstream s;
            s << where.str() << "answer " << answer << ", exact " << exact.num << '/' << exact.den;
            fault(s.str());
        }
        for (std::int32_t j = 1; j < i; ++j) {
            if (table.Minuend[j] == m.a && table.Subtrahend[j] == m.b) {
                fault(where.str() + "repeats problem " + std::to_string(j));
            }
        }
        ++tally.problems;
    }
}

struct SweepCase {
    int answerKind;
    int optionBits;
};

void PrintTo(const SweepCase& c, std::ostream* out)
{
    *out << "kind " << c.answerKind << ", options " << c.optionBits;
}

class SettingsSweep : public ::testing::TestWithParam<SweepCase> {
protected:
    template <typename ForEach>
    void Sweep(ForEach&& forEach)
    {
        const SweepOptions options = test::OptionsOf(GetParam().answerKind, GetParam().optionBits);
        Faults faults;
        Tally tally;
        forEach([&](const Bounds& bounds, int seedIndex) {
            CheckSet(bounds, options, seedIndex, faults, tally);
        });
        EXPECT_EQ(faults.count(), 0);
        // The sweep must reach every outcome, and many problems.
        EXPECT_GT(tally.refused, 0);
        EXPECT_GT(tally.reversed, 0);
        EXPECT_GT(tally.complete, 0);
        EXPECT_GT(tally.shortSets, 0);
        EXPECT_GT(tally.problems, 1000);
    }
};

TEST_P(SettingsSweep, WholePartBounds)
{
    Sweep([](auto&& visit) { test::ForEachWholePartBounds(visit); });
}

TEST_P(SettingsSweep, DenominatorBounds)
{
    Sweep([](auto&& visit) { test::ForEachDenominatorBounds(visit); });
}

std::vector<SweepCase> AllCases()
{
    std::vector<SweepCase> cases;
    for (int kind = 0; kind < 6; ++kind) {
        for (int bits = 0; bits < 8; ++bits) cases.push_back({kind, bits});
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<SweepCase>& info)
{
    const SweepOptions o = test::OptionsOf(info.param.answerKind, info.param.optionBits);
    std::string name = "Kind" + std::to_string(o.AnswerKind);
    name += o.CommonDenominator ? "_Common" : "_Separate";
    name += o.MultiplePattern ? "_Multiple" : "_NoMultiple";
    name += o.ReduceOperands ? "_Reduce" : "_AsDrawn";
    return name;
}

INSTANTIATE_TEST_SUITE_P(AllOptions, SettingsSweep, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
}  // namespace tavrimo
