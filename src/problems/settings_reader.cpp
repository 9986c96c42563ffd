#include "problems/settings_reader.h"

#include <utility>

#include "problems/box_integer.h"
#include "problems/setting_descriptions.h"

namespace tavrimo {
namespace {

using B = SettingsBoxes;

const SettingDescription& DescriptionOf(std::string B::*text)
{
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.text == text) return d;
    }
    std::abort();  // every box is described
}

bool InDomain(const SettingDescription& d, std::int32_t v)
{
    if (d.low > d.high) return true;  // no domain
    return (d.zeroToo && v == 0) || (v >= d.low && v <= d.high);
}

std::string OutOfDomainMessage(const SettingDescription& d, std::int32_t v)
{
    return std::string(d.label) + "の「" + std::to_string(v) + "」は" + std::string(d.hint) +
           "ではありません";
}

bool InRange(const SettingDescription& d, int v)
{
    return (v >= d.low && v <= d.high) || (d.off && v == *d.off);
}

// A value no control can hold: only a caller that skips the controls (a
// script, a hand-made request) can pass one.
std::string OutOfRangeMessage(const SettingDescription& d, int v)
{
    const std::string label(d.label);
    if (d.kind == SettingKind::Number) {
        return label + "の「" + std::to_string(v) + "」は" + std::to_string(d.low) + "から" +
               std::to_string(d.high) + "までの数ではありません";
    }
    return label + "に項目「" + std::to_string(v) + "」はありません";
}

}  // namespace

void OrderPair(std::int32_t& low, std::int32_t& high)
{
    if (low > high) std::swap(low, high);
}

SettingsReading ReadSettings(const SettingsBoxes& boxes)
{
    SettingsReading reading;
    WorksheetSettings s;
    GeneratorRanges& r = s.ranges;
    // The window's fixed order: a conversion error stops at the first bad box.
    const std::pair<std::string B::*, std::int32_t*> order[] = {
        {&B::edtIntf1, &r.WholeAMin}, {&B::edtIntf2, &r.WholeAMax}, {&B::edtIntb1, &r.WholeBMin},
        {&B::edtIntb2, &r.WholeBMax}, {&B::edtBunbof1, &r.DenAMin}, {&B::edtBunbof2, &r.DenAMax},
        {&B::edtBunbob1, &r.DenBMin}, {&B::edtBunbob2, &r.DenBMax},
    };
    const auto refuse = [&](const SettingDescription& d, std::string message) {
        reading.error = std::move(message);
        reading.errorName = d.name;
        return reading;
    };
    const auto printNumber = ParseBoxInteger(boxes.PrnNum);
    if (!printNumber) return refuse(DescriptionOf(&B::PrnNum), NotAnIntegerMessage(boxes.PrnNum));
    reading.PrintNumber = *printNumber;
    for (const auto& [box, field] : order) {
        const auto value = ParseBoxInteger(boxes.*box);
        if (!value) return refuse(DescriptionOf(box), NotAnIntegerMessage(boxes.*box));
        *field = *value;
    }
    // Values outside the boxes' domain would make the generators draw with
    // negative counts or divide by a zero denominator: refuse them up front.
    for (const auto& [box, field] : order) {
        if (const SettingDescription& d = DescriptionOf(box); !InDomain(d, *field))
            return refuse(d, OutOfDomainMessage(d, *field));
    }
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.value != nullptr && !InRange(d, boxes.*d.value))
            return refuse(d, OutOfRangeMessage(d, boxes.*d.value));
    }
    OrderPair(r.WholeAMin, r.WholeAMax);
    OrderPair(r.WholeBMin, r.WholeBMax);
    OrderPair(r.DenAMin, r.DenAMax);
    OrderPair(r.DenBMin, r.DenBMax);

    s.ProblemCount = 16 + 4 * boxes.rgQNum;
    s.options.Borrowing = boxes.rgAnswer >= 3;
    s.options.AnswerReduction = static_cast<Reduction>(boxes.rgAnswer % 3);
    s.options.CommonDenominator = boxes.rgTuubun == 1;
    s.options.MultiplePattern = boxes.rgBaisuu == 1;
    s.options.ReduceOperands = boxes.rgYakubun == 1;
    s.mix = {boxes.borrowMix, boxes.easyFirst == 1, boxes.maxCommonDenominator};
    reading.settings = s;
    return reading;
}

}  // namespace tavrimo
