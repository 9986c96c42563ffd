#include "problems/working_steps.h"

#include <limits>
#include <numeric>
#include <utility>

#include "problems/answer.h"
#include "problems/problem_table.h"
#include "problems/problem_text.h"

namespace tavrimo {
namespace {

// A term of the working in exact arithmetic; D 0 is a whole number.
struct Term {
    std::int64_t W = 0, N = 0, D = 0;
};

// Far above any problem the generators make, and low enough that no product
// of the working can overflow 64 bits.
constexpr std::int32_t kMaxWhole = 1 << 20;
constexpr std::int32_t kMaxDenominator = 1 << 15;

bool Workable(const MixedNumber& m)
{
    if (m.Whole < 0 || m.Whole > kMaxWhole || m.Numerator < 0 || m.Denominator < 0 ||
        m.Denominator > kMaxDenominator)
        return false;
    return m.Denominator == 0 ? m.Numerator == 0 : m.Numerator < m.Denominator;
}

// A fraction part of 0 is not shown on the sheet, so the working treats the
// operand as the whole number it shows.
Term TermOf(const MixedNumber& m)
{
    if (m.Numerator == 0) return {m.Whole, 0, 0};
    return {m.Whole, m.Numerator, m.Denominator};
}

bool NotSmaller(const Term& a, const Term& b)
{
    const std::int64_t da = a.D == 0 ? 1 : a.D, db = b.D == 0 ? 1 : b.D;
    return (a.W * da + a.N) * db >= (b.W * db + b.N) * da;
}

// Collects the steps, leaving out a line that would repeat the one before it
// (the problem line counts as the first).
class StepList {
public:
    explicit StepList(std::string problemText) : lastText_(std::move(problemText)) {}

    void Add(StepKind kind, const Term& t, std::int64_t factor = 0) { Add(kind, 1, {t, {}}, {factor, 0}); }
    void Add(StepKind kind, const Term& a, const Term& b, std::int64_t factorA = 0, std::int64_t factorB = 0)
    {
        Add(kind, 2, {a, b}, {factorA, factorB});
    }

    bool fits() const { return fits_; }
    std::vector<WorkingStep>& steps() { return steps_; }

private:
    void Add(StepKind kind, std::int32_t count, const std::array<Term, 2>& terms,
             const std::array<std::int64_t, 2>& factors)
    {
        WorkingStep step{kind, count, {}, {}};
        for (std::int32_t i = 0; i < count; ++i) {
            const Term& t = terms[static_cast<std::size_t>(i)];
            step.terms[static_cast<std::size_t>(i)] = {Narrow(t.W), Narrow(t.N), Narrow(t.D)};
            step.factors[static_cast<std::size_t>(i)] = Narrow(factors[static_cast<std::size_t>(i)]);
        }
        std::string text = WorkingStepText(step);
        if (text == lastText_) return;
        lastText_ = std::move(text);
        steps_.push_back(step);
    }

    std::int32_t Narrow(std::int64_t v)
    {
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
            fits_ = false;
            return 0;
        }
        return static_cast<std::int32_t>(v);
    }

    std::string lastText_;
    std::vector<WorkingStep> steps_;
    bool fits_ = true;
};

// くり下げる: 通分, くり下げ, ひく, 約分.
void BorrowWorking(Term a, Term b, StepList& out)
{
    if (a.D > 0 && b.D > 0 && a.D != b.D) {
        const std::int64_t L = std::lcm(a.D, b.D);
        const std::int64_t fa = L / a.D, fb = L / b.D;
        a = {a.W, a.N * fa, L};
        b = {b.W, b.N * fb, L};
        out.Add(StepKind::CommonDenominator, a, b, fa, fb);
    }
    // One denominator is shared now, or the other operand is whole.
    const std::int64_t C = a.D > 0 ? a.D : b.D;
    if (b.N > a.N) {  // a whole a counts as a fraction part of 0
        a = {a.W - 1, a.N + C, C};
        out.Add(StepKind::Borrow, a, b);
    }
    Term r{a.W - b.W, a.N - b.N, C};
    if (r.N == 0) r.D = 0;  // the whole part alone
    out.Add(StepKind::Subtract, r);
    const std::int64_t g = std::gcd(r.N, r.D);
    if (r.N > 0 && g > 1) out.Add(StepKind::Reduce, {r.W, r.N / g, r.D / g}, g);
}

// 仮分数にする: 仮分数に, 通分, ひく, 約分, 帯分数に. A whole operand stays
// whole until 通分 gives it the other's denominator.
void ImproperWorking(Term a, Term b, StepList& out)
{
    const auto improper = [](const Term& t) { return t.D > 0 ? Term{0, t.W * t.D + t.N, t.D} : t; };
    if ((a.D > 0 && a.W > 0) || (b.D > 0 && b.W > 0)) {
        a = improper(a);
        b = improper(b);
        out.Add(StepKind::ToImproper, a, b);
    }
    if (a.D != b.D && (a.D > 0 || b.D > 0)) {
        const std::int64_t L = a.D == 0 ? b.D : b.D == 0 ? a.D : std::lcm(a.D, b.D);
        // Every fraction has a whole part of 0 here: W * L / L for a whole.
        const auto factor = [L](const Term& t) { return t.D == 0 ? L : L / t.D; };
        const std::int64_t fa = factor(a), fb = factor(b);
        a = {0, (a.D == 0 ? a.W : a.N) * fa, L};
        b = {0, (b.D == 0 ? b.W : b.N) * fb, L};
        out.Add(StepKind::CommonDenominator, a, b, fa, fb);
    }
    if (a.D == 0) {  // both whole
        out.Add(StepKind::Subtract, {a.W - b.W, 0, 0});
        return;
    }
    Term r{0, a.N - b.N, a.D};
    if (r.N == 0) r.D = 0;
    out.Add(StepKind::Subtract, r);
    if (r.N == 0) return;
    if (const std::int64_t g = std::gcd(r.N, r.D); g > 1) {
        r = {0, r.N / g, r.D / g};
        if (r.D == 1) r = {r.N, 0, 0};
        out.Add(StepKind::Reduce, r, g);
    }
    if (r.D > 1 && r.N >= r.D) out.Add(StepKind::ToMixed, {r.N / r.D, r.N % r.D, r.D});
}

}  // namespace

std::vector<WorkingStep> WorkingSteps(const MixedNumber& a, const MixedNumber& b, WorkingMethod method)
{
    ProblemTable table;
    table.Minuend[1] = a;
    table.Subtrahend[1] = b;
    CalcAnswer(table, 1, "-");
    const MixedNumber& answer = table.Answer[1];
    const std::string answerText = MixedNumberText(answer);

    if (Workable(a) && Workable(b) && NotSmaller(TermOf(a), TermOf(b))) {
        StepList out(MixedNumberText(a) + " - " + MixedNumberText(b));
        (method == WorkingMethod::Borrow ? BorrowWorking : ImproperWorking)(TermOf(a), TermOf(b), out);
        // The answer is what the sheet prints; working that could end anywhere
        // else is not shown.
        if (out.fits() && !out.steps().empty() && WorkingStepText(out.steps().back()) == answerText)
            return std::move(out.steps());
    }
    WorkingStep only;
    only.terms[0] = answer;
    return {only};
}

std::string WorkingStepText(const WorkingStep& step)
{
    std::string text = MixedNumberText(step.terms[0]);
    if (step.termCount > 1) text += " - " + MixedNumberText(step.terms[1]);
    return text;
}

std::vector<std::string> WorkingStepTexts(const MixedNumber& a, const MixedNumber& b, WorkingMethod method)
{
    std::vector<std::string> texts;
    for (const WorkingStep& step : WorkingSteps(a, b, method)) texts.push_back(WorkingStepText(step));
    return texts;
}

std::string_view StepKindName(StepKind kind)
{
    switch (kind) {
        case StepKind::ToImproper: return "仮分数に";
        case StepKind::CommonDenominator: return "通分";
        case StepKind::Borrow: return "くり下げ";
        case StepKind::Subtract: return "ひく";
        case StepKind::Reduce: return "約分";
        case StepKind::ToMixed: return "帯分数に";
    }
    return {};
}

}  // namespace tavrimo
