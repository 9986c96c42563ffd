#pragma once

// The settings space the sweep walks: every ordered pair of bounds from a few telling values for the
// whole parts of a and b together, and for their denominators together, the other four held fixed.
#include <array>
#include <cstdint>
#include <string>

#include "generator_test_support.h"
#include "problems/settings_reader.h"

namespace tavrimo::test {

// The domain's edges and the values next to them, plus values the boxes admit
// although their hints exclude them (a sign and a digit, a 1, a third digit).
inline constexpr std::array<std::int32_t, 8> kWholeValues{0, 1, 5, 98, 99, -1, -9, 100};
inline constexpr std::array<std::int32_t, 12> kDenominatorValues{0, 1, 2, 3, 5, 49, 50, 97, 98, 99, -1, -9};

// A set from the first seed asks for 16 problems, one from the second for 20.
inline constexpr std::array<std::uint32_t, 2> kSweepSeeds{1u, 2654435769u};

// In the order the boxes are read: whole parts of a, of b, denominators of a, of b.
using Bounds = std::array<std::int32_t, 8>;

// Denominators held while the whole parts vary: the defaults, a whole, b whole. Whole parts held while
// the denominators vary, one per seed: both generators can succeed; the second admits few problems.
inline constexpr Bounds kFixedDenominators[3] = {
    {0, 0, 0, 0, 2, 99, 2, 99}, {0, 0, 0, 0, 0, 0, 2, 9}, {0, 0, 0, 0, 2, 9, 0, 0}};
inline constexpr Bounds kFixedWholeParts[2] = {{1, 9, 0, 1}, {1, 1, 0, 0}};

inline SettingsBoxes BoxesOf(const Bounds& bounds, const GeneratorOptions& options, int seedIndex)
{
    SettingsBoxes boxes;
    boxes.PrnNum = "7";
    std::string* texts[] = {&boxes.edtIntf1,   &boxes.edtIntf2,   &boxes.edtIntb1,   &boxes.edtIntb2,
                            &boxes.edtBunbof1, &boxes.edtBunbof2, &boxes.edtBunbob1, &boxes.edtBunbob2};
    for (std::size_t i = 0; i < bounds.size(); ++i) *texts[i] = std::to_string(bounds[i]);
    boxes.rgAnswer = AnswerKind(options);
    boxes.rgQNum = seedIndex;
    boxes.rgTuubun = options.CommonDenominator;
    boxes.rgBaisuu = options.MultiplePattern;
    boxes.rgYakubun = options.ReduceOperands;
    return boxes;
}

// visit(bounds, seedIndex) for the fixed bounds with every quadruple of the values at first..first+3.
// Sanitizer builds, many times slower, make each denominator quadruple from one seed only.
template <std::size_t N, typename Visit>
void ForEachBounds(const std::array<std::int32_t, N>& values, std::size_t first, Bounds bounds, int seedIndex,
                   Visit&& visit)
{
    for (std::uint32_t i = 0; i < N * N * N * N; ++i) {
#ifdef TAVRIMO_SWEEP_ONE_SEED
        if (first == 4 && static_cast<int>((i * 2654435761u) >> 31) != seedIndex) continue;
#endif
        for (std::size_t k = 0, rest = i; k < 4; ++k, rest /= N) bounds[first + 3 - k] = values[rest % N];
        visit(bounds, seedIndex);
    }
}

}  // namespace tavrimo::test
