#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "problems/generators.h"
#include "problems/problem_table.h"
#include "problems/settings_boxes.h"
#include "problems/sheet.h"
#include "problems/worksheet_settings.h"
#include "runtime/random_source.h"

namespace tavrimo {

struct GenerationResult {
    std::int32_t QuestionCount = 0;  // problems made
    bool complete = false;           // all ProblemCount slots filled
};

// Fills slots 1.. of keys with distinct problems. Stops at the first slot that
// cannot be filled and reports how many were made before it.
GenerationResult GenerateProblemSet(RandomSource& source, const WorksheetSettings& settings,
                                    ProblemKeys& keys);

// Which slots 1..count get a problem with borrowing: all or none as the
// options say, or with a mix exactly round(percent * count / 100) of them
// (halves up), placed last when the easy ones come first and otherwise at
// places drawn from the source. Slot 0 is unused.
std::array<bool, kMaxProblems + 1> BorrowingSlots(RandomSource& source, const WorksheetSettings& settings);

// The denominator a and b are worked over: the least common multiple of
// their denominators, or the one there is; 1 for two whole numbers.
std::int32_t CommonDenominatorOf(const MixedNumber& a, const MixedNumber& b);

// Whether the candidate a - b of slot i repeats a problem of slots 1..i-1.
// Two whole numbers count as new even when they repeat.
bool RepeatsEarlier(const ProblemKeys& keys, std::int32_t i, const MixedNumber& a, const MixedNumber& b);

// Slots 1..count of the Minuend and Subtrahend columns from the keys.
void UnpackProblemSet(const ProblemKeys& keys, std::int32_t count, ProblemTable& table);

enum class AssemblyStatus {
    Complete,  // a full set is in the table
    Short,     // the table holds fewer problems: warn the user
    Refused,   // a box held no integer or a value outside its domain
};

struct AssemblyOutcome {
    AssemblyStatus status = AssemblyStatus::Complete;
    std::string message;  // for Refused: the error report's text, "." included
};

// One click of the preview button, up to drawing: reads the boxes, generates
// into the keys and unpacks into the sheet's table, count and number. A
// refusal leaves the table, the keys and QuestionCount as they were; only a
// sheet number read before the failing box is taken over.
AssemblyOutcome AssembleProblemSet(const SettingsBoxes& boxes, RandomSource& source, Sheet& sheet,
                                   ProblemKeys& keys);

// The warning shown when a set stops short.
inline constexpr const char* kShortSetWarning = "今の条件では、指定された問題数が確保できません。";
inline constexpr const char* kShortSetCaption = "警告";

}  // namespace tavrimo
