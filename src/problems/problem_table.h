#pragma once

#include <array>
#include <cstdint>

#include "problems/mixed_number.h"

namespace tavrimo {

inline constexpr int kMaxProblems = 20;

// Which column of the table a mixed number is drawn from; the codes are fixed
// (2 is unused).
enum class Column : int { Minuend = 0, Subtrahend = 1, Answer = 3 };

// The problems of the current sheet, slots 1..20. Slots above the current
// count keep whatever an earlier set left there and are never drawn.
struct ProblemTable {
    std::array<MixedNumber, kMaxProblems + 1> Minuend{};
    std::array<MixedNumber, kMaxProblems + 1> Subtrahend{};
    std::array<MixedNumber, kMaxProblems + 1> Answer{};

    MixedNumber& at(Column column, int index)
    {
        switch (column) {
            case Column::Minuend: return Minuend.at(index);
            case Column::Subtrahend: return Subtrahend.at(index);
            case Column::Answer: break;
        }
        return Answer.at(index);
    }
    const MixedNumber& at(Column column, int index) const
    {
        return const_cast<ProblemTable*>(this)->at(column, index);
    }
};

// A problem's operands packed for the repeat test, in generation order.
struct KeyPair {
    std::int32_t Minuend = 0;
    std::int32_t Subtrahend = 0;
    friend bool operator==(const KeyPair&, const KeyPair&) = default;
};
using ProblemKeys = std::array<KeyPair, kMaxProblems + 1>;  // slots 1..20

}  // namespace tavrimo
