#include "problems/draw_helpers.h"
#include "problems/generators.h"

namespace tavrimo {
namespace {

using draw::InRange;
using draw::Numerator;

// What a fraction draw leaves: the common denominator C and D, a's numerator
// minus b's over C.
struct Difference {
    std::int32_t C = 0;
    std::int32_t D = 0;
};

Difference SameDenominator(RandomSource& rng, MixedNumber& a, MixedNumber& b)
{
    b.Denominator = a.Denominator;
    b.Numerator = WrapAdd(1, rng.Random(WrapSub(a.Numerator, 1)));
    return {a.Denominator, WrapSub(a.Numerator, b.Numerator)};
}

bool CommonMultiple(GeneratorContext& context, MixedNumber& a, MixedNumber& b, Difference& out)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::CommonMultipleNotSmaller, [&] {
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = Numerator(rng, a.Denominator);
        b.Denominator = InRange(rng, r.DenBMin, r.DenBMax);
        const std::int32_t L = Lcm(a.Denominator, b.Denominator);
        if (L >= 100) return false;
        b.Numerator = Numerator(rng, b.Denominator);
        const std::int32_t diff = WrapSub(WrapMul(WrapDiv(L, a.Denominator), a.Numerator),
                                          WrapMul(WrapDiv(L, b.Denominator), b.Numerator));
        out = {L, diff};
        return diff >= 0 && a.Denominator != b.Denominator;
    });
}

// b's denominator k times a's.
bool MultipleOfA(GeneratorContext& context, MixedNumber& a, MixedNumber& b, Difference& out)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::MultipleOfA, [&] {
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = Numerator(rng, a.Denominator);
        b.Denominator = WrapMul(draw::Multiplier(rng), a.Denominator);
        const std::int32_t t = WrapMul(WrapDiv(b.Denominator, a.Denominator), a.Numerator);
        b.Numerator = WrapAdd(1, rng.Random(WrapSub(t, 1)));
        out = {b.Denominator, WrapSub(t, b.Numerator)};
        return b.Denominator <= 99;
    });
}

// a's denominator k times b's; the multiplier is drawn before b's numerator.
bool MultipleOfB(GeneratorContext& context, MixedNumber& a, MixedNumber& b, Difference& out)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::MultipleOfB, [&] {
        b.Denominator = InRange(rng, r.DenBMin, r.DenBMax);
        a.Denominator = WrapMul(draw::Multiplier(rng), b.Denominator);
        b.Numerator = Numerator(rng, b.Denominator);
        const std::int32_t t = WrapMul(WrapDiv(a.Denominator, b.Denominator), b.Numerator);
        a.Numerator = WrapAdd(WrapAdd(t, 1), rng.Random(WrapSub(WrapSub(a.Denominator, t), 1)));
        out = {a.Denominator, WrapSub(a.Numerator, t)};
        return a.Denominator <= 99;
    });
}

}  // namespace

void NotSmaller0(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& GenerationFailed)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    const GeneratorOptions& o = context.options();

    // Equal whole parts pass. After a failure here the fraction parts are
    // still drawn, to no use.
    draw::WholeParts(context, a, b, GenerationFailed,
                     [](std::int32_t wa, std::int32_t wb) { return wa >= wb; });

    for (int attempts = 1;; ++attempts) {
        if (r.DenAMin == 0 || r.DenAMax == 0) {
            GenerationFailed = 1;  // a needs a fraction part
            return;
        }
        // Drawn in every attempt, also when a draw below replaces them.
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = Numerator(rng, a.Denominator);

        bool passed = true;
        if (r.DenBMin == 0 || r.DenBMax == 0) {
            b.Numerator = 0;  // b is a whole number; no answer test
            b.Denominator = 0;
        } else {
            Difference d;
            bool stood = true;
            if (!o.CommonDenominator) {
                d = SameDenominator(rng, a, b);
            } else if (!o.MultiplePattern) {
                stood = CommonMultiple(context, a, b, d);
            } else if (rng.Random(2) == 0) {
                stood = MultipleOfA(context, a, b, d);
            } else {
                stood = MultipleOfB(context, a, b, d);
            }
            passed = stood && draw::PassesReduction(o.AnswerReduction, Gcd(d.C, d.D));
        }

        // The answer test was made on the operands as drawn, not as reduced.
        if (passed && o.ReduceOperands) {
            draw::Reduce(a);
            draw::Reduce(b);
        }
        if (attempts > kMaxTries) {
            GenerationFailed = 1;  // even when this 1001st attempt passed
            return;
        }
        if (passed) return;
    }
}

}  // namespace tavrimo
