#include "problems/setting_pairs.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace tavrimo {
namespace {

constexpr std::string_view kSpaces = " \t\n\r\f\v";

std::string_view Trimmed(std::string_view s)
{
    const auto first = s.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(kSpaces) - first + 1);
}

}  // namespace

std::optional<std::int64_t> DecimalNumber(std::string_view text)
{
    const std::string_view t = Trimmed(text);
    if (t.empty() || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (error != std::errc() || end != t.data() + t.size()) return std::nullopt;
    return value;
}

namespace {

bool NumericItems(const SettingDescription& d)
{
    return std::all_of(d.items.begin(), d.items.end(),
                       [](const SettingItem& item) { return DecimalNumber(item.value).has_value(); });
}

std::string Joined(std::span<const SettingItem> items)
{
    std::string out;
    for (const SettingItem& item : items) {
        if (!out.empty()) out += "、";
        out += item.value;
    }
    return out;
}

std::int64_t HighFor(const SettingDescription& d, PairSource source)
{
    return source == PairSource::CommandLine && d.commandLineHigh > 0 ? d.commandLineHigh : d.high;
}

// The item a choice's value names.
std::optional<int> ItemOf(const SettingDescription& d, std::string_view value)
{
    const auto number = NumericItems(d) ? DecimalNumber(value) : std::nullopt;
    for (std::size_t i = 0; i < d.items.size(); ++i) {
        const bool same =
            number ? DecimalNumber(d.items[i].value) == number : d.items[i].value == Trimmed(value);
        if (same) return static_cast<int>(i);
    }
    return std::nullopt;
}

void Apply(const SettingDescription& d, std::string_view value, SettingsFromPairs& out)
{
    switch (d.kind) {
        case SettingKind::BoxText:
        case SettingKind::Text: out.boxes.*d.text = std::string(value); return;
        case SettingKind::Choice: out.boxes.*d.value = *ItemOf(d, value); return;
        case SettingKind::Flag: out.boxes.*d.value = value == "0" ? 0 : 1; return;
        case SettingKind::Number: {
            const std::int64_t n = *DecimalNumber(value);
            if (d.value == nullptr) {
                out.seed = static_cast<std::uint32_t>(n);
            } else {
                out.boxes.*d.value = static_cast<int>(n);
            }
            return;
        }
    }
}

std::string VersionRefusal(std::string_view value)
{
    const auto version = DecimalNumber(value);
    if (!version) return "リンクの版 (v) が読めません";
    if (*version > kGeneratorVersion) {
        return "このリンクは新しい版のTavrimoで作られました（問題の作り方の版 " + std::to_string(*version) +
               "、このTavrimoは版 " + std::to_string(kGeneratorVersion) +
               "）。同じ問題を作れないので、新しい版のTavrimoで開いてください";
    }
    return {};
}

}  // namespace

std::size_t TextLength(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
        units += byte >= 0xF0 ? 2 : 1;        // beyond the BMP: a surrogate pair
    }
    return units;
}

std::optional<std::string> RefusalOfValue(const SettingDescription& d, std::string_view value,
                                          PairSource source)
{
    const std::string label(d.label);
    switch (d.kind) {
        case SettingKind::BoxText:
            // The window's conversion judges the text; no box needs a long one.
            if (TextLength(value) > kLongestBoxValue)
                return label + "は" + std::to_string(kLongestBoxValue) + "文字までにしてください";
            return std::nullopt;
        case SettingKind::Text:
            if (d.maxLength > 0 && TextLength(value) > static_cast<std::size_t>(d.maxLength))
                return label + "は" + std::to_string(d.maxLength) + "文字までにしてください";
            return std::nullopt;
        case SettingKind::Choice:
            if (ItemOf(d, value)) return std::nullopt;
            return label + "には" + Joined(d.items) + "のどれかを指定してください";
        case SettingKind::Flag:
            if (value.empty() || value == "1" || value == "0") return std::nullopt;
            return label + "には、値なしか1（あり）、または0（なし）を指定してください";
        case SettingKind::Number: {
            const auto n = DecimalNumber(value);
            const std::int64_t high = HighFor(d, source);
            if (n && *n >= d.low && *n <= high) return std::nullopt;
            return label + "には" + std::to_string(d.low) + "から" + std::to_string(high) +
                   "までの数を指定してください";
        }
    }
    return std::nullopt;
}

SettingsFromPairs ReadSettingPairs(std::span<const SettingPair> pairs, PairSource source)
{
    SettingsFromPairs out;
    std::map<std::string_view, std::string_view> last;
    for (const SettingPair& pair : pairs) {
        if (pair.name == kVersionName || FindSettingByName(pair.name) != nullptr) {
            last[pair.name] = pair.value;
        } else if (std::find(out.unknown.begin(), out.unknown.end(), pair.name) == out.unknown.end()) {
            out.unknown.push_back(pair.name);
        }
    }
    const auto refuse = [&](std::string_view name, std::string message) {
        if (!out.refusal) out.refusal = SettingRefusal{std::string(name), std::move(message)};
    };
    // A later version's problems differ: nothing else matters then.
    if (const auto v = last.find(kVersionName); v != last.end()) {
        if (std::string refusal = VersionRefusal(v->second); !refusal.empty()) refuse(kVersionName, refusal);
    }
    for (const SettingDescription& d : SettingDescriptions()) {
        const auto given = last.find(d.name);
        if (given == last.end()) continue;
        if (auto refusal = RefusalOfValue(d, given->second, source)) {
            refuse(d.name, std::move(*refusal));
        } else {
            Apply(d, given->second, out);
        }
    }
    // A setting that follows another copies it unless it was given itself,
    // as b's denominator boxes follow a's while the user types.
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.follows.empty() || last.contains(d.name)) continue;
        if (const SettingDescription* leader = FindSettingByName(d.follows))
            out.boxes.*d.text = out.boxes.*leader->text;
    }
    return out;
}

std::vector<SettingPair> WriteSettingPairs(const SettingsBoxes& boxes, std::optional<std::uint32_t> seed)
{
    std::vector<SettingPair> pairs{{std::string(kVersionName), std::to_string(kGeneratorVersion)}};
    for (const SettingDescription& d : SettingDescriptions()) {
        std::string name(d.name);
        switch (d.kind) {
            case SettingKind::BoxText:
            case SettingKind::Text:
                if (d.place == SettingPlace::Window || boxes.*d.text != DefaultText(d))
                    pairs.push_back({name, boxes.*d.text});
                break;
            case SettingKind::Choice: {
                const int item = boxes.*d.value;
                const bool known = item >= 0 && static_cast<std::size_t>(item) < d.items.size();
                if (known && (d.place == SettingPlace::Window || item != DefaultValue(d)))
                    pairs.push_back({name, std::string(d.items[static_cast<std::size_t>(item)].value)});
                break;
            }
            case SettingKind::Flag:
                if (boxes.*d.value == 1) pairs.push_back({name, "1"});
                break;
            case SettingKind::Number:
                if (d.value == nullptr) {
                    if (seed) pairs.push_back({name, std::to_string(*seed)});
                } else if (boxes.*d.value != DefaultValue(d) && boxes.*d.value != d.off) {
                    pairs.push_back({name, std::to_string(boxes.*d.value)});
                }
                break;
        }
    }
    return pairs;
}

}  // namespace tavrimo
