#include "problems/generators.h"

#include <algorithm>

#include "problems/integer_math.h"

namespace tavrimo {
namespace {

// The largest numerator the usual numerator draw gives for d.
std::int32_t MaxNumerator(std::int32_t d)
{
    return std::max(1, d - 2);
}

// Some pair of different denominators with a common multiple below 100 lets
// the required side's fraction part be the larger (or equal, when allowed).
bool CommonMultipleCanStand(const GeneratorRanges& r, bool aLarger)
{
    for (std::int32_t da = r.DenAMin; da <= r.DenAMax; ++da) {
        for (std::int32_t db = r.DenBMin; db <= r.DenBMax; ++db) {
            if (da == db || da < 2 || db < 2) continue;
            const std::int32_t L = Lcm(da, db);
            if (L >= 100) continue;
            if (aLarger) {
                if ((L / da) * MaxNumerator(da) - (L / db) >= 0) return true;
            } else if ((L / db) * MaxNumerator(db) - (L / da) > 0) {
                return true;
            }
        }
    }
    return false;
}

// Twice the smallest denominator must stay within 99.
bool MultipleCanStand(std::int32_t low, std::int32_t high)
{
    return low <= high && low >= 1 && 2 * low <= 99;
}

}  // namespace

bool DrawCanStand(Draw draw, const GeneratorRanges& r)
{
    switch (draw) {
        case Draw::CommonMultipleNotSmaller: return CommonMultipleCanStand(r, true);
        case Draw::CommonMultipleSmaller: return CommonMultipleCanStand(r, false);
        case Draw::SameDenominatorSmaller: return r.DenAMax >= 3;
        case Draw::MultipleOfA: return MultipleCanStand(r.DenAMin, r.DenAMax);
        case Draw::MultipleOfB: return MultipleCanStand(r.DenBMin, r.DenBMax);
    }
    return false;
}

bool GeneratorContext::canStand(Draw draw)
{
    auto& k = known_[static_cast<std::size_t>(draw)];
    if (k == Unknown) k = DrawCanStand(draw, ranges_) ? Can : Cannot;
    return k == Can;
}

}  // namespace tavrimo
