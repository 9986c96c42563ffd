#pragma once

// Exact fractions for checking answers, independent of the engine's arithmetic.
#include <cstdint>
#include <numeric>

#include "problems/mixed_number.h"

namespace tavrimo::test {

struct Rational {
    std::int64_t num = 0;
    std::int64_t den = 1;  // > 0, lowest terms

    static Rational Of(std::int64_t n, std::int64_t d)
    {
        if (d < 0) n = -n, d = -d;
        const std::int64_t g = std::gcd(n, d);
        return g > 1 ? Rational{n / g, d / g} : Rational{n, d};
    }
    friend Rational operator-(Rational a, Rational b)
    {
        return Of(a.num * b.den - b.num * a.den, a.den * b.den);
    }
    friend Rational operator+(Rational a, Rational b)
    {
        return Of(a.num * b.den + b.num * a.den, a.den * b.den);
    }
    friend bool operator==(const Rational&, const Rational&) = default;
    friend bool operator<(Rational a, Rational b) { return a.num * b.den < b.num * a.den; }
};

// The value a mixed number stands for; no fraction part when Denominator is 0.
inline Rational ValueOf(const MixedNumber& m)
{
    if (m.Denominator == 0) return {m.Whole, 1};
    return Rational::Of(std::int64_t{m.Whole} * m.Denominator + m.Numerator, m.Denominator);
}

inline Rational FractionPart(const MixedNumber& m)
{
    return m.Denominator == 0 ? Rational{0, 1} : Rational::Of(m.Numerator, m.Denominator);
}

// A stored answer is in lowest terms: a proper fraction or none.
inline bool InLowestTerms(const MixedNumber& m)
{
    if (m.Numerator == 0) return m.Denominator == 0 || m.Denominator == 1;
    return m.Numerator > 0 && m.Numerator < m.Denominator && std::gcd(m.Numerator, m.Denominator) == 1;
}

}  // namespace tavrimo::test
