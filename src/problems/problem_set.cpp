#include "problems/problem_set.h"

#include <cassert>

#include "problems/box_integer.h"
#include "problems/generators.h"
#include "problems/settings_reader.h"

namespace tavrimo {
namespace {

bool WithinCap(const MixOptions& mix, const MixedNumber& a, const MixedNumber& b)
{
    return mix.MaxCommonDenominator <= 0 || CommonDenominatorOf(a, b) <= mix.MaxCommonDenominator;
}

}  // namespace

std::int32_t CommonDenominatorOf(const MixedNumber& a, const MixedNumber& b)
{
    if (a.Denominator > 0 && b.Denominator > 0) return Lcm(a.Denominator, b.Denominator);
    if (a.Denominator > 0) return a.Denominator;
    if (b.Denominator > 0) return b.Denominator;
    return 1;
}

std::array<bool, kMaxProblems + 1> BorrowingSlots(RandomSource& source, const WorksheetSettings& settings)
{
    std::array<bool, kMaxProblems + 1> borrowing{};
    const std::int32_t n = settings.ProblemCount;
    const std::int32_t percent = settings.mix.BorrowPercent;
    if (percent < 0) {
        borrowing.fill(settings.options.Borrowing);
        return borrowing;
    }
    const std::int32_t wanted = (percent * n + 50) / 100;
    if (settings.mix.EasyFirst) {
        for (std::int32_t i = n - wanted + 1; i <= n; ++i) borrowing[i] = true;
        return borrowing;
    }
    // Each slot in turn takes a borrowing problem with the chance of those
    // still to place among the slots still open: exactly `wanted` in all,
    // every placement equally likely.
    std::int32_t left = wanted;
    for (std::int32_t i = 1; i <= n; ++i) {
        if (source.Random(n - i + 1) < left) {
            borrowing[i] = true;
            --left;
        }
    }
    return borrowing;
}

GenerationResult GenerateProblemSet(RandomSource& source, const WorksheetSettings& settings,
                                    ProblemKeys& keys)
{
    assert(settings.ProblemCount >= 0 && settings.ProblemCount <= kMaxProblems);
    const auto borrowingSlot = BorrowingSlots(source, settings);
    GeneratorOptions withoutBorrowing = settings.options, withBorrowing = settings.options;
    withoutBorrowing.Borrowing = false;
    withBorrowing.Borrowing = true;
    GeneratorContext notSmaller(source, settings.ranges, withoutBorrowing);
    GeneratorContext smaller(source, settings.ranges, withBorrowing);
    std::int32_t GenerationFailed = 0;
    MixedNumber a, b;

    for (std::int32_t i = 1; i <= settings.ProblemCount; ++i) {
        for (int calls = 1;; ++calls) {
            if (borrowingSlot[i]) {
                Smaller0(smaller, a, b, GenerationFailed);
            } else {
                NotSmaller0(notSmaller, a, b, GenerationFailed);
            }
            if (calls > kMaxTries) GenerationFailed = 1;       // a slot gets its first 1000 calls
            if (GenerationFailed == 1) return {i - 1, false};  // this call's candidate is dropped
            // A candidate over the cap is dropped as a repeat is: the slot's
            // calls stay bounded however scarce the settings make them.
            if (!WithinCap(settings.mix, a, b)) continue;

            keys[i] = {PackedKey(a), PackedKey(b)};
            if (!RepeatsEarlier(keys, i, a, b)) break;
        }
    }
    return {settings.ProblemCount, true};
}

bool RepeatsEarlier(const ProblemKeys& keys, std::int32_t i, const MixedNumber& a, const MixedNumber& b)
{
    if (a.Denominator == 0 && b.Denominator == 0) return false;
    const KeyPair key{PackedKey(a), PackedKey(b)};
    for (std::int32_t j = 1; j < i; ++j) {
        if (keys[j] == key) return true;
    }
    return false;
}

void UnpackProblemSet(const ProblemKeys& keys, std::int32_t count, ProblemTable& table)
{
    for (std::int32_t k = 1; k <= count && k <= kMaxProblems; ++k) {
        table.Minuend[k] = UnpackKey(keys[k].Minuend);
        table.Subtrahend[k] = UnpackKey(keys[k].Subtrahend);
    }
}

AssemblyOutcome AssembleProblemSet(const SettingsBoxes& boxes, RandomSource& source, Sheet& sheet,
                                   ProblemKeys& keys)
{
    const SettingsReading reading = ReadSettings(boxes);
    if (reading.PrintNumber) sheet.PrintNumber = *reading.PrintNumber;
    if (!reading.settings) return {AssemblyStatus::Refused, WithClosingPeriod(reading.error)};

    const GenerationResult result = GenerateProblemSet(source, *reading.settings, keys);
    sheet.QuestionCount = result.QuestionCount;
    UnpackProblemSet(keys, sheet.QuestionCount, sheet.table);
    return {result.complete ? AssemblyStatus::Complete : AssemblyStatus::Short, {}};
}

}  // namespace tavrimo
