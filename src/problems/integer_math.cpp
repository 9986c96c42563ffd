#include "problems/integer_math.h"

namespace tavrimo {

std::int32_t Gcd(std::int32_t a, std::int32_t b)
{
    // The recursion of Euclid's rule, as a loop.
    while (b != 0) {
        const std::int32_t r = WrapMod(a, b);
        a = b;
        b = r;
    }
    return a;
}

std::int32_t Lcm(std::int32_t a, std::int32_t b)
{
    return WrapDiv(WrapMul(a, b), Gcd(a, b));
}

}  // namespace tavrimo
