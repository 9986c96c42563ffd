#include "problems/setting_descriptions.h"

#include <array>

namespace tavrimo {
namespace {

using enum SettingKind;
using enum SettingPlace;
using B = SettingsBoxes;

constexpr std::string_view kWholeHint = "0から99までの数";
constexpr std::string_view kDenominatorHint = "0又は2から99までの数";
constexpr int kBoxLength = 2;

constexpr SettingItem kAnswerKinds[] = {
    {"0以上約分なし", "0"}, {"0以上約分あり", "1"}, {"0以上約分混合", "2"},
    {"0未満約分なし", "3"}, {"0未満約分あり", "4"}, {"0未満約分混合", "5"},
};
constexpr SettingItem kCounts[] = {{"8段2列", "16"}, {"10段2列", "20"}};
constexpr SettingItem kNoYes[] = {{"なし", "0"}, {"あり", "1"}};
// 約分 "なし" means the operands come reduced: the flag is item 1.
constexpr SettingItem kReduceItems[] = {{"混合", "0"}, {"なし", "1"}};
constexpr SettingItem kCollations[] = {{"1枚ずつ問題と答え", "pairs"},
                                       {"問題をまとめて、答えをまとめて", "stacks"}};
constexpr SettingItem kMethods[] = {{"くり下げる", "borrow"}, {"仮分数にする", "improper"}};
constexpr int kOfferedMixes[] = {25, 50, 75, 100};

// A box of a range bound: a whole part 0..99, or a denominator 0 or 2..99.
enum class Bound { Whole, Denominator };
constexpr SettingDescription RangeBox(std::string_view control, std::string_view name, std::string_view label,
                                      std::string B::*text, Bound bound, std::string_view follows = {})
{
    const bool denominator = bound == Bound::Denominator;
    return {.control = control,
            .name = name,
            .label = label,
            .kind = BoxText,
            .place = Window,
            .text = text,
            .low = denominator ? 2 : 0,
            .high = 99,
            .zeroToo = denominator,
            .maxLength = kBoxLength,
            .hint = denominator ? kDenominatorHint : kWholeHint,
            .follows = follows};
}

constexpr SettingDescription FlagSetting(std::string_view control, std::string_view name,
                                         std::string_view label, SettingPlace place, int B::*value,
                                         std::span<const SettingItem> items, std::string_view help)
{
    return {.control = control,
            .name = name,
            .label = label,
            .kind = Flag,
            .place = place,
            .value = value,
            .low = 0,
            .high = 1,
            .items = items,
            .help = help};
}

constexpr std::array kDescriptions = {
    SettingDescription{.control = "PrnNum",
                       .name = "number",
                       .label = "プリント番号",
                       .kind = BoxText,
                       .place = Window,
                       .text = &B::PrnNum,
                       .low = 1,
                       .high = 0},
    RangeBox("edtIntf1", "whole-a-from", "aの整数部分の下限", &B::edtIntf1, Bound::Whole),
    RangeBox("edtIntf2", "whole-a-to", "aの整数部分の上限", &B::edtIntf2, Bound::Whole),
    RangeBox("edtIntb1", "whole-b-from", "bの整数部分の下限", &B::edtIntb1, Bound::Whole),
    RangeBox("edtIntb2", "whole-b-to", "bの整数部分の上限", &B::edtIntb2, Bound::Whole),
    RangeBox("edtBunbof1", "den-a-from", "aの分母の下限", &B::edtBunbof1, Bound::Denominator),
    RangeBox("edtBunbof2", "den-a-to", "aの分母の上限", &B::edtBunbof2, Bound::Denominator),
    RangeBox("edtBunbob1", "den-b-from", "bの分母の下限", &B::edtBunbob1, Bound::Denominator, "den-a-from"),
    RangeBox("edtBunbob2", "den-b-to", "bの分母の上限", &B::edtBunbob2, Bound::Denominator, "den-a-to"),
    SettingDescription{.control = "rgAnswer",
                       .name = "answer-kind",
                       .label = "分数部分だけの答え",
                       .kind = Choice,
                       .place = Window,
                       .value = &B::rgAnswer,
                       .low = 0,
                       .high = 5,
                       .items = kAnswerKinds},
    SettingDescription{.control = "rgQNum",
                       .name = "count",
                       .label = "問題数",
                       .kind = Choice,
                       .place = Window,
                       .value = &B::rgQNum,
                       .low = 0,
                       .high = 1,
                       .items = kCounts},
    FlagSetting("rgTuubun", "common-denominator", "通分の有無", Window, &B::rgTuubun, kNoYes, "通分あり"),
    FlagSetting("rgBaisuu", "multiple", "他方の倍数パターン", Window, &B::rgBaisuu, kNoYes,
                "他方の倍数パターンあり (通分ありのときだけ効きます)"),
    FlagSetting("rgYakubun", "reduce-operands", "分母と分子の約分", Window, &B::rgYakubun, kReduceItems,
                "分母と分子の約分なし: 問題の分数を約分しておく"),
    SettingDescription{.control = "QstSentence",
                       .name = "question",
                       .label = "問題文",
                       .kind = Text,
                       .place = Window,
                       .text = &B::QstSentence,
                       .maxLength = 200,
                       .hint = "問題文を入力"},
    SettingDescription{.control = "seed",
                       .name = "seed",
                       .label = "乱数の種",
                       .kind = Number,
                       .place = Run,
                       .low = 0,
                       .high = 4294967295,
                       .help = "乱数の種 0..4294967295 (省略時は時刻から決め、標準エラーに表示)"},

    SettingDescription{.control = "borrowMix",
                       .name = "borrow-mix",
                       .label = "くり下がりを混ぜる",
                       .kind = Number,
                       .place = Dialog,
                       .value = &B::borrowMix,
                       .low = 0,
                       .high = 100,
                       .hint = "くり下がりのある問題の割合。なしのときは「分数部分だけの答え」のとおり",
                       .off = -1,
                       .offText = "なし",
                       .unit = "%",
                       .offered = kOfferedMixes},
    FlagSetting("easyFirst", "easy-first", "やさしい問題を先に", Dialog, &B::easyFirst, kNoYes,
                "くり下がりのない問題を先に並べる (くり下がりを混ぜるときだけ効きます)"),
    SettingDescription{.control = "maxCommonDenominator",
                       .name = "max-common-denominator",
                       .label = "通分後の分母の上限",
                       .kind = Number,
                       .place = Dialog,
                       .value = &B::maxCommonDenominator,
                       .low = 2,
                       .high = 9801,
                       .hint = "どの問題も、2つの分母の最小公倍数がこの数以下になる",
                       .off = 0,
                       .offText = "なし"},
    SettingDescription{
        .control = "sheets",
        .name = "sheets",
        .label = "枚数",
        .kind = Number,
        .place = Dialog,
        .value = &B::sheets,
        .low = 1,
        .high = 100,
        .hint = "1回のプレビューで作る、問題のちがうプリントの枚数",
        .unit = "枚",
        .help = "続けて作るプリントの枚数 (コマンドラインでは10000まで)。番号は1枚ごとに1つ進みます",
        .commandLineHigh = 10000},
    SettingDescription{.control = "collate",
                       .name = "collate",
                       .label = "ページの順",
                       .kind = Choice,
                       .place = Dialog,
                       .value = &B::collate,
                       .low = 0,
                       .high = 1,
                       .items = kCollations},
    FlagSetting("classHeader", "class-header", "名前・組・番・日付・点数の欄", Dialog, &B::classHeader,
                kNoYes, "年 組 番、名前、月 日と点数の欄をつける"),
    FlagSetting("problemNumbers", "problem-numbers", "問題番号", Dialog, &B::problemNumbers, kNoYes,
                "問題の前に (1)、(2)… をつける"),
    FlagSetting("steps", "steps", "途中式つきの答え", Dialog, &B::steps, kNoYes,
                "答えのプリントに途中式を書く"),
    SettingDescription{.control = "method",
                       .name = "method",
                       .label = "計算のしかた",
                       .kind = Choice,
                       .place = Dialog,
                       .value = &B::method,
                       .low = 0,
                       .high = 1,
                       .items = kMethods},
};

}  // namespace

std::span<const SettingDescription> SettingDescriptions()
{
    return kDescriptions;
}

const SettingDescription* FindSettingByName(std::string_view name)
{
    for (const SettingDescription& d : kDescriptions) {
        if (d.name == name) return &d;
    }
    return nullptr;
}

const SettingDescription* FindSettingByControl(std::string_view control)
{
    for (const SettingDescription& d : kDescriptions) {
        if (d.control == control) return &d;
    }
    return nullptr;
}

std::string DefaultText(const SettingDescription& d)
{
    return d.text != nullptr ? SettingsBoxes{}.*d.text : std::string();
}

int DefaultValue(const SettingDescription& d)
{
    return d.value != nullptr ? SettingsBoxes{}.*d.value : 0;
}

}  // namespace tavrimo
