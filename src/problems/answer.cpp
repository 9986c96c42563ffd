#include "problems/answer.h"

#include "problems/integer_math.h"

namespace tavrimo {
namespace {

struct Fraction {
    std::int32_t W, N, D;
};

// The result's denominator when an operand has no fraction part: the other
// operand's, and 0 when neither has one.
std::int32_t OtherDenominator(std::int32_t Da, std::int32_t Db)
{
    std::int32_t D = 0;
    if (Da == 0) D = Db;
    if (Db == 0) D = Da;
    return D;
}

Fraction Subtract(const MixedNumber& a, const MixedNumber& b)
{
    const auto [Wa, Na, Da] = a;
    const auto [Wb, Nb, Db] = b;
    Fraction r{WrapSub(Wa, Wb), 0, 0};
    if (Da == Db) {
        if (Da > 0) {
            r.D = Da;
            if (Na >= Nb) {
                r.N = WrapSub(Na, Nb);
            } else {  // borrow one whole
                r.N = WrapSub(WrapAdd(Na, r.D), Nb);
                r.W = WrapSub(r.W, 1);
            }
        } else {
            r.D = OtherDenominator(Da, Db);
            r.N = WrapSub(Na, Nb);
        }
    } else if (Da > 0 && Db > 0) {
        const std::int32_t L = Lcm(Da, Db);
        r.D = L;
        const std::int32_t A = WrapMul(WrapDiv(L, Da), Na);
        const std::int32_t B = WrapMul(WrapDiv(L, Db), Nb);
        if (B > A) {
            r.N = WrapSub(WrapAdd(A, L), B);
            r.W = WrapSub(r.W, 1);
        } else {
            r.N = WrapSub(A, B);
        }
    } else {
        // Negative denominators lie outside the domain; they fall through
        // both tests and leave a fraction of 0 over 0.
        if (Da == 0 && Db > 0) {
            r.D = Db;
            r.N = WrapSub(Db, Nb);
            r.W = WrapSub(r.W, 1);
        }
        if (Db == 0) {
            r.D = Da;
            r.N = WrapSub(Na, Nb);
        }
    }
    return r;
}

Fraction Add(const MixedNumber& a, const MixedNumber& b)
{
    const auto [Wa, Na, Da] = a;
    const auto [Wb, Nb, Db] = b;
    Fraction r{WrapAdd(Wa, Wb), 0, 0};
    if (Da == Db) {
        if (Da > 0) {
            r.D = Da;
            r.N = WrapAdd(Na, Nb);
            if (r.N >= r.D) {  // carry one whole
                r.N = WrapSub(r.N, r.D);
                r.W = WrapAdd(r.W, 1);
            }
        } else {
            r.D = OtherDenominator(Da, Db);
            r.N = WrapAdd(Na, Nb);
        }
    } else if (Da > 0 && Db > 0) {
        const std::int32_t L = Lcm(Da, Db);
        r.D = L;
        r.N = WrapAdd(WrapMul(WrapDiv(L, Da), Na), WrapMul(WrapDiv(L, Db), Nb));
        if (r.N >= L) {
            r.N = WrapSub(r.N, L);
            r.W = WrapAdd(r.W, 1);
        }
    } else {
        r.D = OtherDenominator(Da, Db);
        r.N = WrapAdd(Na, Nb);
    }
    return r;
}

}  // namespace

void CalcAnswer(ProblemTable& table, int index, std::string_view operation)
{
    const MixedNumber& a = table.Minuend.at(index);
    const MixedNumber& b = table.Subtrahend.at(index);
    Fraction r = operation == "+" ? Add(a, b) : Subtract(a, b);

    // A zero fraction over d > 1 becomes 0/1, since Gcd(0, d) is d.
    const std::int32_t G = Gcd(r.N, r.D);
    if (G > 1) {
        r.N = WrapDiv(r.N, G);
        r.D = WrapDiv(r.D, G);
    }
    table.Answer.at(index) = {r.W, r.N, r.D};
}

}  // namespace tavrimo
