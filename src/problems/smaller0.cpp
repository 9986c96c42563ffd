#include "problems/draw_helpers.h"
#include "problems/generators.h"

namespace tavrimo {
namespace {

using draw::InRange;
using draw::Numerator;

// Each draw returns g, the value the answer kind judges, through out; false
// when the draw cannot stand under the ranges.

bool SameDenominator(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& g)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::SameDenominatorSmaller, [&] {
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = Numerator(rng, a.Denominator);
        if (a.Denominator <= 2) return false;  // no room for a larger b
        b.Denominator = a.Denominator;
        b.Numerator =
            WrapAdd(WrapAdd(a.Numerator, 1), rng.Random(WrapSub(WrapSub(b.Denominator, a.Numerator), 1)));
        g = Gcd(b.Denominator, WrapSub(b.Numerator, a.Numerator));
        return true;
    });
}

// a is a whole number: only b gets a fraction.
void WholeMinuend(GeneratorContext& context, MixedNumber& b, std::int32_t& g)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    b.Denominator = InRange(rng, r.DenBMin, r.DenBMax);
    b.Numerator = Numerator(rng, b.Denominator);
    g = Gcd(b.Denominator, WrapSub(b.Denominator, b.Numerator));
}

bool CommonMultiple(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& g)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::CommonMultipleSmaller, [&] {
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = Numerator(rng, a.Denominator);
        b.Denominator = InRange(rng, r.DenBMin, r.DenBMax);
        const std::int32_t L = Lcm(a.Denominator, b.Denominator);
        if (L >= 100) return false;
        b.Numerator = Numerator(rng, b.Denominator);
        const std::int32_t D = WrapSub(WrapMul(WrapDiv(L, b.Denominator), b.Numerator),
                                       WrapMul(WrapDiv(L, a.Denominator), a.Numerator));
        if (D <= 0 || a.Denominator == b.Denominator) return false;
        g = Gcd(L, D);
        return true;
    });
}

// b's denominator k times a's; a's numerator may here reach its denominator - 1.
bool MultipleOfA(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& g)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::MultipleOfA, [&] {
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = WrapAdd(1, rng.Random(WrapSub(a.Denominator, 1)));
        const std::int32_t k = draw::Multiplier(rng);
        b.Denominator = WrapMul(k, a.Denominator);
        const std::int32_t ka = WrapMul(k, a.Numerator);
        const std::int32_t room = WrapSub(b.Denominator, ka);
        b.Numerator = WrapAdd(WrapAdd(ka, 1), rng.Random(WrapSub(room, 1)));
        g = Gcd(b.Denominator, WrapSub(b.Numerator, ka));
        return b.Denominator <= 99;
    });
}

// a's denominator k times b's; the multiplier is drawn before b's numerator.
bool MultipleOfB(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& g)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    return draw::UntilItStands(context, Draw::MultipleOfB, [&] {
        b.Denominator = InRange(rng, r.DenBMin, r.DenBMax);
        const std::int32_t k = draw::Multiplier(rng);
        a.Denominator = WrapMul(k, b.Denominator);
        b.Numerator = Numerator(rng, b.Denominator);
        const std::int32_t kb = WrapMul(k, b.Numerator);
        a.Numerator = WrapAdd(1, rng.Random(WrapSub(kb, 1)));
        g = Gcd(a.Denominator, WrapSub(kb, a.Numerator));
        return a.Denominator <= 99;
    });
}

}  // namespace

void Smaller0(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& GenerationFailed)
{
    RandomSource& rng = context.source();
    const GeneratorRanges& r = context.ranges();
    const GeneratorOptions& o = context.options();

    // Whole parts, final for the call: a's must be strictly greater, since
    // the answer borrows one whole from it.
    draw::WholeParts(context, a, b, GenerationFailed,
                     [](std::int32_t wa, std::int32_t wb) { return wa > wb; });

    // A first fraction for a; it stays only where a has none (Numerator 0).
    if (r.DenAMin == 0 || r.DenAMax == 0) {
        a.Numerator = 0;
        a.Denominator = 0;
    } else {
        a.Denominator = InRange(rng, r.DenAMin, r.DenAMax);
        a.Numerator = Numerator(rng, a.Denominator);
    }

    if (r.DenBMin == 0 || r.DenBMax == 0) {
        b.Numerator = 0;  // b must have the larger fraction part
        b.Denominator = 0;
        GenerationFailed = 1;
        return;
    }

    for (int passes = 1;; ++passes) {
        if (GenerationFailed == 1) return;

        std::int32_t g = 1;
        bool stood = true;
        if (o.CommonDenominator) {
            if (a.Numerator == 0) {
                GenerationFailed = 1;  // a whole number has no denominator to share
                return;
            }
            if (!o.MultiplePattern) {
                stood = CommonMultiple(context, a, b, g);
            } else if (rng.Random(2) == 0) {
                stood = MultipleOfA(context, a, b, g);
            } else {
                stood = MultipleOfB(context, a, b, g);
            }
        } else if (a.Numerator != 0) {
            stood = SameDenominator(context, a, b, g);
        } else {
            WholeMinuend(context, b, g);
        }
        const bool accepted = stood && draw::PassesReduction(o.AnswerReduction, g);

        if (accepted && o.ReduceOperands) {
            draw::Reduce(a);
            draw::Reduce(b);
        }
        if (passes > kMaxTries) {
            GenerationFailed = 1;  // even when this 1001st pass was accepted
            return;
        }
        if (accepted) return;
    }
}

}  // namespace tavrimo
