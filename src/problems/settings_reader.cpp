#include "problems/settings_reader.h"

#include <utility>

#include "problems/box_integer.h"

namespace tavrimo {
namespace {

// What a box stands for, in the words of the settings panel, and which values
// it accepts; the wording follows the boxes' hints.
struct Box {
    const std::string SettingsBoxes::*text;
    const char* label;
    bool denominator;
};

constexpr Box kIntf1{&SettingsBoxes::edtIntf1, "aの整数部分", false};
constexpr Box kIntf2{&SettingsBoxes::edtIntf2, "aの整数部分", false};
constexpr Box kIntb1{&SettingsBoxes::edtIntb1, "bの整数部分", false};
constexpr Box kIntb2{&SettingsBoxes::edtIntb2, "bの整数部分", false};
constexpr Box kBunbof1{&SettingsBoxes::edtBunbof1, "aの分母", true};
constexpr Box kBunbof2{&SettingsBoxes::edtBunbof2, "aの分母", true};
constexpr Box kBunbob1{&SettingsBoxes::edtBunbob1, "bの分母", true};
constexpr Box kBunbob2{&SettingsBoxes::edtBunbob2, "bの分母", true};

bool InDomain(const Box& box, std::int32_t v)
{
    if (box.denominator) return v == 0 || (v >= 2 && v <= 99);
    return v >= 0 && v <= 99;
}

std::string OutOfDomainMessage(const Box& box, std::int32_t v)
{
    std::string message = box.label;
    message += "の「";
    message += std::to_string(v);
    message += "」は";
    message += box.denominator ? "0又は2から99までの数" : "0から99までの数";
    message += "ではありません";
    return message;
}

}  // namespace

void OrderPair(std::int32_t& low, std::int32_t& high)
{
    if (low > high) std::swap(low, high);
}

SettingsReading ReadSettings(const SettingsBoxes& boxes)
{
    SettingsReading reading;
    auto convert = [&](const std::string& text, std::int32_t& out) {
        if (const auto value = ParseBoxInteger(text)) {
            out = *value;
        } else {
            reading.error = NotAnIntegerMessage(text);
        }
    };

    std::int32_t printNumber = 0;
    convert(boxes.PrnNum, printNumber);
    if (!reading.error.empty()) return reading;
    reading.PrintNumber = printNumber;

    WorksheetSettings s;
    s.ProblemCount = 16 + 4 * boxes.rgQNum;
    GeneratorRanges& r = s.ranges;
    // The fixed order of the boxes: a conversion error stops at the first bad one.
    const std::pair<const Box*, std::int32_t*> order[] = {
        {&kIntf1, &r.WholeAMin}, {&kIntf2, &r.WholeAMax}, {&kIntb1, &r.WholeBMin}, {&kIntb2, &r.WholeBMax},
        {&kBunbof1, &r.DenAMin}, {&kBunbof2, &r.DenAMax}, {&kBunbob1, &r.DenBMin}, {&kBunbob2, &r.DenBMax},
    };
    for (const auto& [box, field] : order) {
        convert(boxes.*(box->text), *field);
        if (!reading.error.empty()) return reading;
    }
    // Values outside the boxes' domain would make the generators draw with
    // negative counts or divide by a zero denominator: refuse them up front.
    for (const auto& [box, field] : order) {
        if (!InDomain(*box, *field)) {
            reading.error = OutOfDomainMessage(*box, *field);
            return reading;
        }
    }
    OrderPair(r.WholeAMin, r.WholeAMax);
    OrderPair(r.WholeBMin, r.WholeBMax);
    OrderPair(r.DenAMin, r.DenAMax);
    OrderPair(r.DenBMin, r.DenBMax);

    s.options.AnswerKind = boxes.rgAnswer;
    s.options.CommonDenominator = boxes.rgTuubun == 1;
    s.options.MultiplePattern = boxes.rgBaisuu == 1;
    s.options.ReduceOperands = boxes.rgYakubun == 1;
    reading.settings = s;
    return reading;
}

}  // namespace tavrimo
