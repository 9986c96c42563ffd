#pragma once

#include <cstdint>

#include "problems/generators.h"
#include "problems/integer_math.h"
#include "runtime/random_source.h"

// Pieces shared by the two generators. Every Random call is part of the
// contract: one seed must always give the same problems.
namespace tavrimo::draw {

// A value from low..high.
inline std::int32_t InRange(RandomSource& source, std::int32_t low, std::int32_t high)
{
    return WrapAdd(low, source.Random(WrapAdd(WrapSub(high, low), 1)));
}

// The numerator draw for a denominator d: 1..d-2 for d >= 3 (never d-1), and
// 1 for d = 2.
inline std::int32_t Numerator(RandomSource& source, std::int32_t d)
{
    return WrapAdd(1, source.Random(WrapSub(d, 2)));
}

// The multiplier of the multiple draws, 2..6.
inline std::int32_t Multiplier(RandomSource& source)
{
    return 2 + source.Random(5);
}

// g is the Gcd of the answer's fraction part over its common denominator.
inline bool PassesReduction(Reduction reduction, std::int32_t g)
{
    switch (reduction) {
        case Reduction::Irreducible: return g == 1;
        case Reduction::Reducible: return g != 1;
        case Reduction::Either: break;
    }
    return true;
}

inline void Reduce(MixedNumber& m)
{
    if (m.Denominator == 0) return;
    const std::int32_t g = Gcd(m.Denominator, m.Numerator);
    m.Denominator = WrapDiv(m.Denominator, g);
    m.Numerator = WrapDiv(m.Numerator, g);
}

// Whole parts until they stand as the generator needs them (stands(a, b)).
// At most kMaxTries pairs are tested; the pair drawn after them fails the
// call, and the generator still goes on to its fraction parts.
template <typename Stands>
void WholeParts(GeneratorContext& context, MixedNumber& a, MixedNumber& b, std::int32_t& GenerationFailed,
                Stands&& stands)
{
    const GeneratorRanges& r = context.ranges();
    for (int pairs = 1;; ++pairs) {
        a.Whole = InRange(context.source(), r.WholeAMin, r.WholeAMax);
        b.Whole = InRange(context.source(), r.WholeBMin, r.WholeBMax);
        if (pairs > kMaxTries) {
            GenerationFailed = 1;
            return;
        }
        if (stands(a.Whole, b.Whole)) return;
    }
}

// A redraw loop without a count of its own: some settings let no draw ever
// stand. After this many failures the loop asks whether one can stand at all.
inline constexpr std::uint32_t kRedrawsBeforeCheck = 256;
// Far beyond any feasible draw's expected number of tries.
inline constexpr std::uint32_t kRedrawSafetyBound = 1u << 28;

// Repeats drawOnce until it returns true. Returns false, ending the attempt
// as not accepted, when the draw cannot stand under the ranges.
template <typename DrawOnce>
bool UntilItStands(GeneratorContext& context, Draw kind, DrawOnce&& drawOnce)
{
    for (std::uint32_t tries = 1;; ++tries) {
        if (drawOnce()) return true;
        if (tries % kRedrawsBeforeCheck == 0 && (!context.canStand(kind) || tries >= kRedrawSafetyBound)) {
            return false;
        }
    }
}

}  // namespace tavrimo::draw
