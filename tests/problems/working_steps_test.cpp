// The working of a subtraction: worked examples as classrooms write them, then
// every problem of the shared vectors and of a settings sweep by exact
// arithmetic.
#include "problems/working_steps.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "problems/answer.h"
#include "problems/problem_set.h"
#include "problems/problem_text.h"
#include "rational.h"
#include "settings_space.h"

namespace tavrimo {
namespace {

constexpr WorkingMethod B = WorkingMethod::Borrow, I = WorkingMethod::Improper;

// "通分 2 16/40 - 1 30/40 ×4 ×5 | ... | 約分 13/20 ÷2", factors as drill sites print them.
std::string Written(const std::vector<WorkingStep>& steps)
{
    std::string out;
    for (const WorkingStep& s : steps) {
        if (!out.empty()) out += " | ";
        out += std::string(StepKindName(s.kind)) + ' ' + WorkingStepText(s);
        if (s.kind == StepKind::CommonDenominator)
            out += " ×" + std::to_string(s.factors[0]) + " ×" + std::to_string(s.factors[1]);
        if (s.kind == StepKind::Reduce) out += " ÷" + std::to_string(s.factors[0]);
    }
    return out;
}

TEST(WorkingSteps, WorkedExamples)
{
    struct Case {
        MixedNumber a, b;
        WorkingMethod method;
        const char* written;
    };
    const Case cases[] = {
        {{2, 4, 10},
         {1, 6, 8},
         B,
         "通分 2 16/40 - 1 30/40 ×4 ×5 | くり下げ 1 56/40 - 1 30/40 | ひく 26/40 | 約分 13/20 ÷2"},
        {{2, 4, 10},
         {1, 6, 8},
         I,
         "仮分数に 24/10 - 14/8 | 通分 96/40 - 70/40 ×4 ×5 | ひく 26/40 | 約分 13/20 ÷2"},
        {{3, 1, 4}, {1, 3, 4}, B, "くり下げ 2 5/4 - 1 3/4 | ひく 1 2/4 | 約分 1 1/2 ÷2"},
        {{3, 0, 0}, {1, 2, 5}, B, "くり下げ 2 5/5 - 1 2/5 | ひく 1 3/5"},
        {{3, 0, 0}, {1, 2, 5}, I, "仮分数に 3 - 7/5 | 通分 15/5 - 7/5 ×5 ×1 | ひく 8/5 | 帯分数に 1 3/5"},
        {{7, 2, 5},
         {3, 9, 10},
         I,
         "仮分数に 37/5 - 39/10 | 通分 74/10 - 39/10 ×2 ×1 | ひく 35/10 | 約分 7/2 ÷5 | 帯分数に 3 1/2"},
        {{1, 1, 4}, {0, 3, 4}, B, "くり下げ 5/4 - 3/4 | ひく 2/4 | 約分 1/2 ÷2"},
        {{0, 18, 86}, {0, 5, 86}, I, "ひく 13/86"},
        {{0, 5, 6}, {0, 1, 6}, I, "ひく 4/6 | 約分 2/3 ÷2"},
        // b without a fraction part.
        {{3, 2, 4}, {2, 0, 0}, B, "ひく 1 2/4 | 約分 1 1/2 ÷2"},
        {{3, 2, 4},
         {2, 0, 0},
         I,
         "仮分数に 14/4 - 2 | 通分 14/4 - 8/4 ×1 ×4 | ひく 6/4 | 約分 3/2 ÷2 | 帯分数に 1 1/2"},
        // b of 0: 通分 would repeat the line before it.
        {{2, 1, 3}, {0, 0, 0}, I, "仮分数に 7/3 - 0 | ひく 7/3 | 帯分数に 2 1/3"},
        // A fraction part of 0, a result of 0, two whole numbers.
        {{2, 3, 5}, {1, 3, 5}, B, "ひく 1"},
        {{2, 3, 5}, {1, 3, 5}, I, "仮分数に 13/5 - 8/5 | ひく 5/5 | 約分 1 ÷5"},
        {{2, 3, 5}, {2, 3, 5}, I, "仮分数に 13/5 - 13/5 | ひく 0"},
        {{5, 0, 0}, {3, 0, 0}, I, "ひく 2"},
        // Outside the generators' domain: the answer alone, as CalcAnswer gives it.
        {{0, 1, 4}, {0, 3, 4}, B, "ひく -1 1/2"},
        {{1, 5, 4}, {0, 1, 4}, I, "ひく 1 1/1"},
        {{-1, 1, 2}, {0, 1, 4}, I, "ひく -1 1/4"},
        {{1 << 21, 1, 2}, {0, 1, 2}, B, "ひく 2097152"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Written(WorkingSteps(c.a, c.b, c.method)), c.written)
            << MixedNumberText(c.a) << " - " << MixedNumberText(c.b)
            << (c.method == B ? " borrow" : " improper");
}

// The first fault of the working of a - b by either method, or "".
std::string Fault(const MixedNumber& a, const MixedNumber& b, const std::string& answerText,
                  WorkingMethod method)
{
    using test::Rational, test::ValueOf, test::FractionPart;
    const std::vector<WorkingStep> steps = WorkingSteps(a, b, method);
    const Rational exact = ValueOf(a) - ValueOf(b);
    if (steps.empty() || WorkingStepText(steps.back()) != answerText)
        return "the last step is not the answer";
    std::string before = MixedNumberText(a) + " - " + MixedNumberText(b);
    bool kinds[6] = {};
    const WorkingStep* subtracted = nullptr;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const WorkingStep& s = steps[i];
        const std::string text = WorkingStepText(s);
        const Rational value =
            s.termCount == 1 ? ValueOf(s.terms[0]) : ValueOf(s.terms[0]) - ValueOf(s.terms[1]);
        if (!(value == exact)) return text + " is not a - b";
        if (text == before) return text + " repeats the line before it";
        if (i > 0 && static_cast<int>(s.kind) <= static_cast<int>(steps[i - 1].kind))
            return "steps out of order";
        if (s.termCount != (s.kind < StepKind::Subtract ? 2 : 1)) return text + ": the wrong number of terms";
        kinds[static_cast<int>(s.kind)] = true;
        if (s.kind == StepKind::Subtract) subtracted = &s;
        before = text;
    }
    if (!subtracted) return "no ひく";
    const MixedNumber r = subtracted->terms[0];
    // Denominators as shown: a fraction part of 0 is not shown. A whole operand of 0 stays "0" at 通分,
    // a line that is not written again.
    const std::int32_t da = a.Numerator > 0 ? a.Denominator : 0, db = b.Numerator > 0 ? b.Denominator : 0;
    const bool zero = ValueOf(a) == Rational{} || ValueOf(b) == Rational{}, whole = exact.den == 1;
    const bool reducible =
        r.Numerator > 0 && test::Rational::Of(r.Numerator, r.Denominator).den != r.Denominator;
    const bool expected[6] = {
        method == I && ((a.Whole > 0 && a.Numerator > 0) || (b.Whole > 0 && b.Numerator > 0)),
        da != db && (method == B ? da > 0 && db > 0 : !zero),
        method == B && FractionPart(a) < FractionPart(b),
        true,
        reducible,
        method == I && !whole && Rational{1, 1} < exact,
    };
    for (int k = 0; k < 6; ++k)
        if (kinds[k] != expected[k])
            return std::string(StepKindName(static_cast<StepKind>(k))) + (kinds[k] ? " shown" : " missing");
    return {};
}

std::string Where(const MixedNumber& a, const MixedNumber& b)
{
    return MixedNumberText(a) + " - " + MixedNumberText(b) + ": ";
}

TEST(WorkingSteps, EveryProblemOfTheSharedVectors)
{
    const auto triple = [](const nlohmann::json& j) {
        return MixedNumber{j.at(0).get<std::int32_t>(), j.at(1).get<std::int32_t>(),
                           j.at(2).get<std::int32_t>()};
    };
    std::ifstream file(TAVRIMO_VECTORS);
    ASSERT_TRUE(file) << TAVRIMO_VECTORS;
    const nlohmann::json vectors = nlohmann::json::parse(file);
    int problems = 0;
    for (const auto& c : vectors.at("cases"))
        for (const auto& set : c.at("expected"))
            for (const auto& p : set.at("problems")) {
                const MixedNumber a = triple(p.at("minuend")), b = triple(p.at("subtrahend"));
                const std::string answer = MixedNumberText(triple(p.at("answer")));
                for (const WorkingMethod method : {B, I})
                    EXPECT_EQ(Fault(a, b, answer, method), "") << Where(a, b) << c.at("note");
                ++problems;
            }
    EXPECT_GT(problems, 300);
}

TEST(WorkingSteps, EveryProblemOfASettingsSweep)
{
    // Whole parts and denominators: small and wide, a or b without a fraction part.
    const GeneratorRanges ranges[] = {
        {0, 0, 0, 0, 2, 99, 2, 99}, {1, 9, 0, 5, 2, 12, 2, 12}, {0, 99, 0, 99, 2, 99, 2, 99},
        {1, 9, 0, 5, 0, 0, 2, 9},   {1, 9, 0, 5, 2, 9, 0, 0},
    };
    int problems = 0;
    for (int option = 0; option < 48; ++option) {
        const GeneratorOptions o{option / 8, (option & 1) != 0, (option & 2) != 0, (option & 4) != 0};
        for (const GeneratorRanges& r : ranges)
            for (const std::uint32_t seed : test::kSweepSeeds) {
                RandomSource source(seed);
                ProblemKeys keys{};
                const GenerationResult made = GenerateProblemSet(source, {r, o, 20}, keys);
                ProblemTable table;
                UnpackProblemSet(keys, made.QuestionCount, table);
                for (int i = 1; i <= made.QuestionCount; ++i) {
                    CalcAnswer(table, i, "-");
                    for (const WorkingMethod method : {B, I})
                        EXPECT_EQ(Fault(table.Minuend[i], table.Subtrahend[i],
                                        MixedNumberText(table.Answer[i]), method),
                                  "")
                            << Where(table.Minuend[i], table.Subtrahend[i]) << "option " << option;
                    ++problems;
                }
            }
    }
    EXPECT_GT(problems, 3000);
}

}  // namespace
}  // namespace tavrimo
