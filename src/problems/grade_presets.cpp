#include "problems/grade_presets.h"

#include <array>
#include <string>
#include <vector>

#include "problems/setting_pairs.h"

namespace tavrimo {
namespace {

// Grade 4 subtracts fractions with one denominator, mixed numbers included;
// grade 5 brings different denominators (通分) and reducing (約分). Whole
// parts stay below 10 and denominators small, with common denominators in
// the tens, as textbooks keep them. Reducible answers need the operands as
// drawn: reducing them afterwards would often make the answer irreducible.
constexpr PresetValue kSameNoBorrowing[] = {
    {"whole-a-from", "1"}, {"whole-a-to", "9"},         {"whole-b-from", "0"}, {"whole-b-to", "8"},
    {"den-a-from", "2"},   {"den-a-to", "9"},           {"den-b-from", "2"},   {"den-b-to", "9"},
    {"answer-kind", "0"},  {"common-denominator", "0"}, {"multiple", "0"},     {"reduce-operands", "0"},
};
constexpr PresetValue kSameBorrowing[] = {
    {"whole-a-from", "1"}, {"whole-a-to", "9"},         {"whole-b-from", "0"}, {"whole-b-to", "8"},
    {"den-a-from", "3"},   {"den-a-to", "9"},           {"den-b-from", "3"},   {"den-b-to", "9"},
    {"answer-kind", "3"},  {"common-denominator", "0"}, {"multiple", "0"},     {"reduce-operands", "0"},
};
constexpr PresetValue kSameMixed[] = {
    {"whole-a-from", "1"}, {"whole-a-to", "9"},         {"whole-b-from", "0"}, {"whole-b-to", "8"},
    {"den-a-from", "3"},   {"den-a-to", "9"},           {"den-b-from", "3"},   {"den-b-to", "9"},
    {"answer-kind", "0"},  {"common-denominator", "0"}, {"multiple", "0"},     {"reduce-operands", "0"},
    {"borrow-mix", "50"},
};
constexpr PresetValue kMultiples[] = {
    {"whole-a-from", "1"},
    {"whole-a-to", "9"},
    {"whole-b-from", "0"},
    {"whole-b-to", "8"},
    {"den-a-from", "2"},
    {"den-a-to", "9"},
    {"den-b-from", "2"},
    {"den-b-to", "9"},
    {"answer-kind", "2"},
    {"common-denominator", "1"},
    {"multiple", "1"},
    {"reduce-operands", "1"},
    {"max-common-denominator", "36"},
};
constexpr PresetValue kDifferent[] = {
    {"whole-a-from", "1"}, {"whole-a-to", "9"},
    {"whole-b-from", "0"}, {"whole-b-to", "8"},
    {"den-a-from", "2"},   {"den-a-to", "12"},
    {"den-b-from", "2"},   {"den-b-to", "12"},
    {"answer-kind", "0"},  {"common-denominator", "1"},
    {"multiple", "0"},     {"reduce-operands", "1"},
    {"borrow-mix", "50"},  {"max-common-denominator", "36"},
};
constexpr PresetValue kDifferentReducible[] = {
    {"whole-a-from", "1"}, {"whole-a-to", "9"},
    {"whole-b-from", "0"}, {"whole-b-to", "8"},
    {"den-a-from", "2"},   {"den-a-to", "12"},
    {"den-b-from", "2"},   {"den-b-to", "12"},
    {"answer-kind", "1"},  {"common-denominator", "1"},
    {"multiple", "0"},     {"reduce-operands", "0"},
    {"borrow-mix", "50"},  {"max-common-denominator", "36"},
};

constexpr std::array kPresets = {
    GradePreset{"4年 同じ分母 くり下がりなし", kSameNoBorrowing},
    GradePreset{"4年 同じ分母 くり下がりあり", kSameBorrowing},
    GradePreset{"4年 同じ分母 まぜる (50%)", kSameMixed},
    GradePreset{"5年 分母がちがう 倍数", kMultiples},
    GradePreset{"5年 分母がちがう (通分後36まで)", kDifferent},
    GradePreset{"5年 分母がちがう 約分あり", kDifferentReducible},
};

// The dialog's settings a preset decides: the others (the class set, the
// header, the working) are the teacher's own.
constexpr std::string_view kPracticeSettings[] = {"borrow-mix", "easy-first", "max-common-denominator"};

}  // namespace

std::span<const GradePreset> GradePresets()
{
    return kPresets;
}

SettingsBoxes WithPreset(const SettingsBoxes& current, const GradePreset& preset)
{
    SettingsBoxes boxes = current;
    for (const std::string_view name : kPracticeSettings) {
        const SettingDescription& d = *FindSettingByName(name);
        boxes.*d.value = DefaultValue(d);
    }
    std::vector<SettingPair> pairs;
    for (const PresetValue& v : preset.settings) pairs.push_back({std::string(v.name), std::string(v.value)});
    const SettingsBoxes read = ReadSettingPairs(pairs, PairSource::Link).boxes;
    for (const PresetValue& v : preset.settings) {
        const SettingDescription& d = *FindSettingByName(v.name);
        if (d.text != nullptr) boxes.*d.text = read.*d.text;
        if (d.value != nullptr) boxes.*d.value = read.*d.value;
    }
    return boxes;
}

}  // namespace tavrimo
