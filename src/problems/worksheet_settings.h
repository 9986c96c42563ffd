#pragma once

#include <cstdint>
#include <string>

namespace tavrimo {

// The instruction sentence a new sheet starts with.
inline constexpr const char* kDefaultQuestionText = "つぎの計算をしましょう。";

// The eight range bounds the generators take, each pair lower bound first.
struct GeneratorRanges {
    std::int32_t WholeAMin = 0, WholeAMax = 0;
    std::int32_t WholeBMin = 0, WholeBMax = 0;
    std::int32_t DenAMin = 2, DenAMax = 99;
    std::int32_t DenBMin = 2, DenBMax = 99;
};

// The options the generators read at every call.
struct GeneratorOptions {
    // 0-2: a's fraction part not smaller (no borrowing), 3-5: smaller
    // (borrowing); within each, answer fraction irreducible / reducible / either.
    std::int32_t AnswerKind = 0;
    bool CommonDenominator = false;
    bool MultiplePattern = false;
    bool ReduceOperands = false;
};

// The settings of one problem set as read from the window's boxes.
struct WorksheetSettings {
    GeneratorRanges ranges;
    GeneratorOptions options;
    std::int32_t ProblemCount = 16;  // 16 or 20
};

}  // namespace tavrimo
