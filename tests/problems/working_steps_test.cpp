// The working of a subtraction: worked examples as classrooms write them, then every problem of the
// shared vectors and of a settings sweep by exact arithmetic.
#include "problems/working_steps.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "generator_test_support.h"
#include "problems/answer.h"
#include "problems/problem_set.h"
#include "problems/problem_text.h"
#include "rational.h"
#include "settings_space.h"

namespace tavrimo {
namespace {

using test::Rational, test::ValueOf;
constexpr WorkingMethod B = WorkingMethod::Borrow, I = WorkingMethod::Improper;

TEST(WorkingSteps, WorkedExamples)
{
    const struct {
        MixedNumber a, b;
        WorkingMethod method;
        const char* written;  // the factors as drill sites print them beside the fractions
    } cases[] = {
        // clang-format off
        {{2, 4, 10}, {1, 6, 8}, B, "通分 2 16/40 - 1 30/40 ×4 ×5 | くり下げ 1 56/40 - 1 30/40 | ひく 26/40 | 約分 13/20 ÷2"},
        {{2, 4, 10}, {1, 6, 8}, I, "仮分数に 24/10 - 14/8 | 通分 96/40 - 70/40 ×4 ×5 | ひく 26/40 | 約分 13/20 ÷2"},
        {{7, 2, 5}, {3, 9, 10}, I, "仮分数に 37/5 - 39/10 | 通分 74/10 - 39/10 ×2 ×1 | ひく 35/10 | 約分 7/2 ÷5 | 帯分数に 3 1/2"},
        {{3, 0, 0}, {1, 2, 5}, B, "くり下げ 2 5/5 - 1 2/5 | ひく 1 3/5"},
        {{3, 0, 0}, {1, 2, 5}, I, "仮分数に 3 - 7/5 | 通分 15/5 - 7/5 ×5 ×1 | ひく 8/5 | 帯分数に 1 3/5"},
        {{2, 1, 3}, {0, 0, 0}, I, "仮分数に 7/3 - 0 | ひく 7/3 | 帯分数に 2 1/3"},  // b whole; 通分 would repeat a line
        {{2, 3, 5}, {1, 3, 5}, I, "仮分数に 13/5 - 8/5 | ひく 5/5 | 約分 1 ÷5"},
        {{2, 3, 5}, {2, 3, 5}, I, "仮分数に 13/5 - 13/5 | ひく 0"},
        // Outside the generators' domain: the answer alone, as CalcAnswer gives it.
        {{1, 5, 4}, {0, 1, 4}, I, "ひく 1 1/1"},
        {{1 << 21, 1, 2}, {0, 1, 2}, B, "ひく 2097152"},
        // clang-format on
    };
    for (const auto& c : cases) {
        std::string written;
        for (const WorkingStep& s : WorkingSteps(c.a, c.b, c.method)) {
            written +=
                (written.empty() ? "" : " | ") + std::string(StepKindName(s.kind)) + ' ' + WorkingStepText(s);
            if (s.kind == StepKind::CommonDenominator)
                written += " ×" + std::to_string(s.factors[0]) + " ×" + std::to_string(s.factors[1]);
            if (s.kind == StepKind::Reduce) written += " ÷" + std::to_string(s.factors[0]);
        }
        EXPECT_EQ(written, c.written) << MixedNumberText(c.a) << " - " << MixedNumberText(c.b);
    }
}

// The first fault of the working of a - b by the method, or "".
std::string Fault(const MixedNumber& a, const MixedNumber& b, const std::string& answerText,
                  WorkingMethod method)
{
    const std::vector<WorkingStep> steps = WorkingSteps(a, b, method);
    const Rational exact = ValueOf(a) - ValueOf(b);
    if (steps.empty() || WorkingStepText(steps.back()) != answerText)
        return "the last step is not the answer";
    std::string before = MixedNumberText(a) + " - " + MixedNumberText(b);
    bool shown[6] = {};
    MixedNumber difference{};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const WorkingStep& s = steps[i];
        const std::string text = WorkingStepText(s);
        if (!(ValueOf(s.terms[0]) - (s.termCount == 2 ? ValueOf(s.terms[1]) : Rational{}) == exact))
            return text + " is not a - b";
        if (text == before || (i > 0 && s.kind <= steps[i - 1].kind))
            return text + " repeats or is out of order";
        shown[static_cast<int>(s.kind)] = true;
        if (s.kind == StepKind::Subtract) difference = s.terms[0];
        before = text;
    }
    // Denominators as shown (a fraction part of 0 is not); a whole operand of 0 stays "0" at 通分.
    const std::int32_t da = a.Numerator > 0 ? a.Denominator : 0, db = b.Numerator > 0 ? b.Denominator : 0;
    const bool zero = ValueOf(a) == Rational{} || ValueOf(b) == Rational{};
    const bool expected[6] = {
        method == I && ((a.Whole > 0 && da > 0) || (b.Whole > 0 && db > 0)),
        da != db && (method == B ? da > 0 && db > 0 : !zero),
        method == B && test::FractionPart(a) < test::FractionPart(b),
        true,
        difference.Numerator > 0 && test::FractionPart(difference).den != difference.Denominator,
        method == I && exact.den != 1 && Rational{1, 1} < exact,
    };
    for (int k = 0; k < 6; ++k)
        if (shown[k] != expected[k])
            return std::string(StepKindName(static_cast<StepKind>(k))) + (shown[k] ? " shown" : " missing");
    return {};
}

TEST(WorkingSteps, EveryProblemOfTheVectorsAndOfASettingsSweep)
{
    std::vector<std::array<MixedNumber, 3>> problems;  // a, b and the answer
    std::ifstream file(TAVRIMO_VECTORS);
    const nlohmann::json vectors = nlohmann::json::parse(file);
    const auto triple = [](const nlohmann::json& j) { return MixedNumber{j[0], j[1], j[2]}; };
    for (const auto& c : vectors.at("cases"))
        for (const auto& set : c.at("expected"))
            for (const auto& p : set.at("problems"))
                problems.push_back({triple(p["minuend"]), triple(p["subtrahend"]), triple(p["answer"])});
    ASSERT_GT(problems.size(), 300u);

    // Every answer kind and option over small and wide ranges, a or b without a fraction part, some
    // sets mixing problems with and without borrowing.
    const GeneratorRanges ranges[] = {{0, 0, 0, 0, 2, 99, 2, 99},
                                      {1, 9, 0, 5, 2, 12, 2, 12},
                                      {0, 99, 0, 99, 2, 99, 2, 99},
                                      {1, 9, 0, 5, 0, 0, 2, 9},
                                      {1, 9, 0, 5, 2, 9, 0, 0}};
    for (int option = 0; option < 48; ++option)
        for (const GeneratorRanges& r : ranges)
            for (const std::uint32_t seed : test::kSweepSeeds) {
                RandomSource source(seed);
                ProblemKeys keys{};
                const GeneratorOptions o =
                    test::KindOptions(option / 8, (option & 1) != 0, (option & 2) != 0, (option & 4) != 0);
                const MixOptions mix{option % 3 == 0 ? 50 : -1, option % 2 == 0, 0};  // half with borrowing
                const std::int32_t made = GenerateProblemSet(source, {r, o, mix, 20}, keys).QuestionCount;
                ProblemTable t;
                UnpackProblemSet(keys, made, t);
                for (int i = 1; i <= made; ++i) {
                    CalcAnswer(t, i, "-");
                    problems.push_back({t.Minuend[i], t.Subtrahend[i], t.Answer[i]});
                }
            }
    ASSERT_GT(problems.size(), 3000u);

    for (const auto& [a, b, answer] : problems)
        for (const WorkingMethod method : {B, I})
            EXPECT_EQ(Fault(a, b, MixedNumberText(answer), method), "")
                << MixedNumberText(a) << " - " << MixedNumberText(b)
                << (method == B ? " borrow" : " improper");
}

}  // namespace
}  // namespace tavrimo
