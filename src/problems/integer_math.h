#pragma once

#include <cstdint>

namespace tavrimo {

// The arithmetic of the problems is signed 32-bit with wrap-around. C++ leaves
// signed overflow undefined, so sums and products go through unsigned values.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline std::int32_t WrapSub(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

inline std::int32_t WrapMul(std::int32_t a, std::int32_t b)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

// Truncating division and remainder that also define the two cases C++ does
// not: a divisor of 0 gives 0, and INT32_MIN / -1 wraps to INT32_MIN.
inline std::int32_t WrapDiv(std::int32_t a, std::int32_t b)
{
    if (b == 0) return 0;
    if (b == -1) return WrapSub(0, a);
    return a / b;
}

inline std::int32_t WrapMod(std::int32_t a, std::int32_t b)
{
    if (b == 0 || b == -1) return 0;
    return a % b;
}

// Euclid with a truncating remainder: the sign follows the arguments
// (Gcd(4, -6) is -2), and Gcd(0, 0) is 0.
std::int32_t Gcd(std::int32_t a, std::int32_t b);

// (a * b) div Gcd(a, b), the product wrapping modulo 2^32. Lcm(0, 0) is 0.
std::int32_t Lcm(std::int32_t a, std::int32_t b);

}  // namespace tavrimo
