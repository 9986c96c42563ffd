#pragma once

#include <cstdint>

namespace tavrimo {

// The eight range bounds the generators take, each pair lower bound first.
struct GeneratorRanges {
    std::int32_t WholeAMin = 0, WholeAMax = 0;
    std::int32_t WholeBMin = 0, WholeBMax = 0;
    std::int32_t DenAMin = 2, DenAMax = 99;
    std::int32_t DenBMin = 2, DenBMax = 99;
};

// Whether the fraction of an answer must be in lowest terms.
enum class Reduction { Irreducible, Reducible, Either };

// The options the generators read at every call. The window offers the
// answer kind as one list; it is two choices: borrowing or not, and the
// reduction of the answer's fraction.
struct GeneratorOptions {
    bool Borrowing = false;  // a's fraction part smaller than b's
    Reduction AnswerReduction = Reduction::Irreducible;
    bool CommonDenominator = false;
    bool MultiplePattern = false;
    bool ReduceOperands = false;
};

// How a set mixes problems with and without borrowing, and how large their
// common denominators may be.
struct MixOptions {
    // The share of problems with borrowing in percent; none: every problem
    // as GeneratorOptions::Borrowing says.
    std::int32_t BorrowPercent = -1;
    bool EasyFirst = false;  // the problems without borrowing come first
    // The least common multiple of a problem's denominators is at most this;
    // 0: no cap.
    std::int32_t MaxCommonDenominator = 0;
};

// The settings of one problem set as read from the window's boxes.
struct WorksheetSettings {
    GeneratorRanges ranges;
    GeneratorOptions options;
    MixOptions mix;
    std::int32_t ProblemCount = 16;  // 16 or 20
};

}  // namespace tavrimo
