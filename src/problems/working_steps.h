#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problems/mixed_number.h"

namespace tavrimo {

// The two ways textbooks teach a mixed-number subtraction; a class learns one
// and the working must follow it.
enum class WorkingMethod {
    Borrow,    // くり下げる: keep the mixed numbers, borrow one whole when needed
    Improper,  // 仮分数にする: both into improper fractions first
};

// What a line of working does to the line before it.
enum class StepKind {
    ToImproper,         // 仮分数に
    CommonDenominator,  // 通分
    Borrow,             // くり下げ
    Subtract,           // ひく
    Reduce,             // 約分
    ToMixed,            // 帯分数に
};

// One "=" line after the problem: one or two terms joined by " - ". A term
// may be improper (Whole 0 and Numerator >= Denominator, or 1 56/40 after a
// borrow); Denominator 0 means a whole number.
struct WorkingStep {
    StepKind kind = StepKind::Subtract;
    std::int32_t termCount = 1;
    std::array<MixedNumber, 2> terms{};
    // The factor each term's fraction was multiplied by at 通分 (1 for a term
    // that kept its denominator, the common denominator for a whole number)
    // or divided by at 約分; 0 at the other steps.
    std::array<std::int32_t, 2> factors{};

    friend bool operator==(const WorkingStep&, const WorkingStep&) = default;
};

// The working of a - b by the method: only the steps that apply, in the
// order the method writes them, each equal to a - b, the last one the answer
// exactly as CalcAnswer gives it. A problem outside the generators' domain
// (a negative value or part, an improper operand, a - b below 0, parts too
// large for exact working) gets the answer alone.
std::vector<WorkingStep> WorkingSteps(const MixedNumber& a, const MixedNumber& b, WorkingMethod method);

// A step as the command line writes problems: "2 16/40 - 1 30/40", "24/10",
// "13/20", "3".
std::string WorkingStepText(const WorkingStep& step);

// The text of every step of a - b: the lines the command line and the page's
// text list after the problem's first "=".
std::vector<std::string> WorkingStepTexts(const MixedNumber& a, const MixedNumber& b, WorkingMethod method);

// The step's name as Japanese textbooks write it, e.g. "通分".
std::string_view StepKindName(StepKind kind);

}  // namespace tavrimo
