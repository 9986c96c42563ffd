#pragma once

// The settings space the sweep walks: every ordered pair of bounds drawn from
// a few telling values, for the whole parts of a and b together and for the
// denominators of a and b together, under every answer kind and option
// combination. Shared by the sweep test and the timing of its sets.
#include <array>
#include <cstdint>
#include <string>

#include "problems/settings_reader.h"

namespace tavrimo::test {

// The domain's edges and the values next to them, plus values the boxes
// admit although their hints exclude them (a sign and a digit, a 1, a third
// digit typed on the command line).
inline constexpr std::array<std::int32_t, 8> kWholeValues{0, 1, 5, 98, 99, -1, -9, 100};
inline constexpr std::array<std::int32_t, 12> kDenominatorValues{0, 1, 2, 3, 5, 49, 50, 97, 98, 99, -1, -9};

// The seeds of the sweep; a set from the first asks for 16 problems, one
// from the second for 20.
inline constexpr std::array<std::uint32_t, 2> kSweepSeeds{1u, 2654435769u};

// The eight bounds in the order the boxes are read: whole parts of a, of b,
// then denominators of a, of b.
struct Bounds {
    std::array<std::int32_t, 8> v{};
};

struct SweepOptions {
    int AnswerKind = 0;
    bool CommonDenominator = false;
    bool MultiplePattern = false;
    bool ReduceOperands = false;
};

// The three option groups as bits: common denominator, multiple, reduction.
inline SweepOptions OptionsOf(int answerKind, int bits)
{
    return {answerKind, (bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
}

inline SettingsBoxes BoxesOf(const Bounds& bounds, const SweepOptions& options, int seedIndex)
{
    SettingsBoxes boxes;
    boxes.PrnNum = "7";
    std::string* texts[] = {&boxes.edtIntf1,   &boxes.edtIntf2,   &boxes.edtIntb1,   &boxes.edtIntb2,
                            &boxes.edtBunbof1, &boxes.edtBunbof2, &boxes.edtBunbob1, &boxes.edtBunbob2};
    for (std::size_t i = 0; i < bounds.v.size(); ++i) *texts[i] = std::to_string(bounds.v[i]);
    boxes.rgAnswer = options.AnswerKind;
    boxes.rgQNum = seedIndex % 2;
    boxes.rgTuubun = options.CommonDenominator ? 1 : 0;
    boxes.rgBaisuu = options.MultiplePattern ? 1 : 0;
    boxes.rgYakubun = options.ReduceOperands ? 1 : 0;
    return boxes;
}

// Denominator ranges held fixed while the whole parts vary: the defaults, a
// without fraction part, b without fraction part.
inline constexpr std::array<std::array<std::int32_t, 4>, 3> kFixedDenominators{{
    {2, 99, 2, 99},
    {0, 0, 2, 9},
    {2, 9, 0, 0},
}};

// Whole parts held fixed while the denominators vary, one per seed: both
// generators can succeed under each; the second admits few distinct problems.
inline constexpr std::array<std::array<std::int32_t, 4>, kSweepSeeds.size()> kFixedWholeParts{{
    {1, 9, 0, 1},
    {1, 1, 0, 0},
}};

// visit(bounds, seedIndex) for every set of the whole-part sweep.
template <typename Visit>
void ForEachWholePartBounds(Visit&& visit)
{
    for (const auto& den : kFixedDenominators) {
        for (std::int32_t wa0 : kWholeValues) {
            for (std::int32_t wa1 : kWholeValues) {
                for (std::int32_t wb0 : kWholeValues) {
                    for (std::int32_t wb1 : kWholeValues) {
                        for (int s = 0; s < static_cast<int>(kSweepSeeds.size()); ++s) {
                            visit(Bounds{{wa0, wa1, wb0, wb1, den[0], den[1], den[2], den[3]}}, s);
                        }
                    }
                }
            }
        }
    }
}

// Sanitizer builds run many times slower; there every denominator setting
// is made from one of the seeds, alternating between settings.
#ifdef TAVRIMO_SWEEP_ONE_SEED
inline constexpr bool kOneSeedPerDenominatorSetting = true;
#else
inline constexpr bool kOneSeedPerDenominatorSetting = false;
#endif

// visit(bounds, seedIndex) for every set of the denominator sweep.
template <typename Visit>
void ForEachDenominatorBounds(Visit&& visit)
{
    for (int s = 0; s < static_cast<int>(kSweepSeeds.size()); ++s) {
        const auto& whole = kFixedWholeParts[static_cast<std::size_t>(s)];
        std::uint32_t setting = 0;
        for (std::int32_t da0 : kDenominatorValues) {
            for (std::int32_t da1 : kDenominatorValues) {
                for (std::int32_t db0 : kDenominatorValues) {
                    for (std::int32_t db1 : kDenominatorValues) {
                        // A multiplicative hash spreads the seeds over all four bounds.
                        const std::uint32_t pick = (setting++ * 2654435761u) >> 31;
                        if (kOneSeedPerDenominatorSetting && pick != static_cast<std::uint32_t>(s)) continue;
                        visit(Bounds{{whole[0], whole[1], whole[2], whole[3], da0, da1, db0, db1}}, s);
                    }
                }
            }
        }
    }
}

}  // namespace tavrimo::test
