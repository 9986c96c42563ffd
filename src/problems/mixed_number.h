#pragma once

#include <cstdint>

#include "problems/integer_math.h"

namespace tavrimo {

// Whole + Numerator/Denominator. Denominator 0 means no fraction part; the
// generators then also leave Numerator at 0.
struct MixedNumber {
    std::int32_t Whole = 0;
    std::int32_t Numerator = 0;
    std::int32_t Denominator = 0;

    friend bool operator==(const MixedNumber&, const MixedNumber&) = default;
};

// Whole * 10000 + Numerator * 100 + Denominator, wrapping. Unpacking gives the
// fields back only for Numerator and Denominator in 0..99 and Whole in
// 0..214747, which every in-domain problem satisfies.
inline std::int32_t PackedKey(const MixedNumber& m)
{
    return WrapAdd(WrapAdd(WrapMul(m.Whole, 10000), WrapMul(m.Numerator, 100)), m.Denominator);
}

inline MixedNumber UnpackKey(std::int32_t key)
{
    return {key / 10000, key / 100 % 100, key % 100};
}

}  // namespace tavrimo
