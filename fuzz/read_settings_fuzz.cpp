// Any texts in the nine boxes: the reading takes them only when every box
// holds an integer inside its domain, and stops at the first box that holds
// none.
#include <algorithm>
#include <cstdint>

#include "fuzz_input.h"
#include "problems/box_integer.h"
#include "problems/problem_table.h"
#include "problems/setting_descriptions.h"
#include "problems/settings_reader.h"

using namespace tavrimo;
using tavrimo::fuzz::Require;

namespace {

bool InDomain(std::int32_t v, bool denominator)
{
    return denominator ? v == 0 || (v >= 2 && v <= 99) : v >= 0 && v <= 99;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const SettingsBoxes boxes = fuzz::ReadBoxes(input);
    const SettingsReading reading = ReadSettings(boxes);

    Require(reading.PrintNumber == ParseBoxInteger(boxes.PrnNum));
    std::int32_t v[9] = {};
    for (int i = 0; i < 9; ++i) {
        const auto parsed = ParseBoxInteger(boxes.*fuzz::kBoxFields[i]);
        if (!parsed) {
            Require(!reading.settings && reading.error == NotAnIntegerMessage(boxes.*fuzz::kBoxFields[i]));
            return 0;
        }
        v[i] = *parsed;
    }
    bool inDomain = true;
    for (int i = 1; i < 9; ++i) inDomain = inDomain && InDomain(v[i], i >= 5);
    // Every item index, flag and number in its range (or off), whatever int it was given.
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.value == nullptr) continue;
        const int value = boxes.*d.value;
        inDomain = inDomain && ((value >= d.low && value <= d.high) || (d.off && value == *d.off));
    }
    if (!inDomain) {
        Require(!reading.settings && !reading.error.empty());
        return 0;
    }
    Require(reading.settings.has_value() && reading.error.empty());
    const WorksheetSettings& s = *reading.settings;
    const GeneratorRanges& r = s.ranges;
    Require(r.WholeAMin == std::min(v[1], v[2]) && r.WholeAMax == std::max(v[1], v[2]));
    Require(r.WholeBMin == std::min(v[3], v[4]) && r.WholeBMax == std::max(v[3], v[4]));
    Require(r.DenAMin == std::min(v[5], v[6]) && r.DenAMax == std::max(v[5], v[6]));
    Require(r.DenBMin == std::min(v[7], v[8]) && r.DenBMax == std::max(v[7], v[8]));
    Require(s.ProblemCount == 16 + 4 * boxes.rgQNum && s.ProblemCount <= kMaxProblems);
    Require(s.options.Borrowing == (boxes.rgAnswer >= 3) &&
            static_cast<int>(s.options.AnswerReduction) == boxes.rgAnswer % 3 &&
            s.options.CommonDenominator == (boxes.rgTuubun == 1) &&
            s.options.MultiplePattern == (boxes.rgBaisuu == 1) &&
            s.options.ReduceOperands == (boxes.rgYakubun == 1));
    return 0;
}
