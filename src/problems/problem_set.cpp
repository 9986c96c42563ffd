#include "problems/problem_set.h"

#include "problems/box_integer.h"
#include "problems/generators.h"

namespace tavrimo {

GenerationResult GenerateProblemSet(RandomSource& source, const WorksheetSettings& settings,
                                    ProblemKeys& keys)
{
    GeneratorContext context(source, settings.ranges, settings.options);
    const bool borrowing = settings.options.AnswerKind >= 3;
    std::int32_t GenerationFailed = 0;
    MixedNumber a, b;

    for (std::int32_t i = 1; i <= settings.ProblemCount; ++i) {
        for (int calls = 1;; ++calls) {
            if (borrowing) {
                Smaller0(context, a, b, GenerationFailed);
            } else {
                NotSmaller0(context, a, b, GenerationFailed);
            }
            if (calls > kMaxTries) GenerationFailed = 1;  // a slot gets its first 1000 calls
            if (GenerationFailed == 1) return {i - 1, false};  // this call's candidate is dropped

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
