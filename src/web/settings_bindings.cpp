#include "web/settings_bindings.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "problems/box_integer.h"
#include "problems/grade_presets.h"
#include "problems/setting_descriptions.h"
#include "problems/setting_pairs.h"

namespace tavrimo {

val BoxesToJs(const SettingsBoxes& boxes)
{
    val out = val::object();
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.text != nullptr) out.set(std::string(d.control), boxes.*d.text);
        if (d.value != nullptr) out.set(std::string(d.control), boxes.*d.value);
    }
    return out;
}

SettingsBoxes BoxesOf(const val& boxes)
{
    SettingsBoxes b;
    for (const SettingDescription& d : SettingDescriptions()) {
        const val v = boxes[std::string(d.control)];
        if (v.isUndefined() || v.isNull()) continue;
        if (d.text != nullptr) {
            b.*d.text = v.as<std::string>();
        } else if (d.value != nullptr) {
            // Any number the page passes reaches the session, which refuses
            // what no control holds; one beyond an int becomes one it refuses.
            const double x = v.as<double>();
            const bool fits = std::isfinite(x) && x >= INT32_MIN && x <= INT32_MAX;
            b.*d.value = fits ? static_cast<int>(x) : INT32_MIN;
        }
    }
    return b;
}

// The settings' descriptions for the page: it builds its controls' texts,
// items, hints and defaults, and the 詳細設定 dialog, from them.
val Descriptions()
{
    const auto kindName = [](SettingKind kind) {
        switch (kind) {
            case SettingKind::BoxText: return "box";
            case SettingKind::Text: return "text";
            case SettingKind::Choice: return "choice";
            case SettingKind::Flag: return "flag";
            case SettingKind::Number: return "number";
        }
        return "text";
    };
    val all = val::array();
    for (const SettingDescription& d : SettingDescriptions()) {
        val o = val::object();
        o.set("control", std::string(d.control));
        o.set("name", std::string(d.name));
        o.set("label", std::string(d.label));
        o.set("kind", std::string(kindName(d.kind)));
        o.set("place", std::string(d.place == SettingPlace::Window   ? "window"
                                   : d.place == SettingPlace::Dialog ? "dialog"
                                                                     : "run"));
        if (d.text != nullptr) o.set("initial", DefaultText(d));
        if (d.value != nullptr) o.set("initial", DefaultValue(d));
        o.set("low", static_cast<double>(d.low));
        o.set("high", static_cast<double>(d.high));
        o.set("maxLength", d.maxLength);
        val items = val::array();
        for (const SettingItem& item : d.items) {
            val i = val::object();
            i.set("text", std::string(item.text));
            i.set("value", std::string(item.value));
            items.call<void>("push", i);
        }
        o.set("items", items);
        o.set("hint", std::string(d.hint));
        o.set("follows", std::string(d.follows));
        if (d.off) o.set("off", *d.off);
        o.set("offText", std::string(d.offText));
        o.set("unit", std::string(d.unit));
        val offered = val::array();
        for (const int v : d.offered) offered.call<void>("push", v);
        o.set("offered", offered);
        all.call<void>("push", o);
    }
    return all;
}

// A link's parameters, [[name, value], ...] in their order, read by the rule
// tavrimo-sheets reads its options by: { boxes (by control), seed (or null),
// error ('' or the first refusal, naming its parameter), unknown (names) }.
val ReadLink(const val& params)
{
    std::vector<SettingPair> pairs;
    const auto length = params["length"].as<unsigned>();
    for (unsigned i = 0; i < length; ++i) {
        pairs.push_back({params[i][0].as<std::string>(), params[i][1].as<std::string>()});
    }
    const SettingsFromPairs read = ReadSettingPairs(pairs, PairSource::Link);
    val result = val::object();
    result.set("boxes", BoxesToJs(read.boxes));
    result.set("seed", read.seed ? val(static_cast<double>(*read.seed)) : val::null());
    result.set("error", read.refusal ? read.refusal->name + ": " + WithClosingPeriod(read.refusal->message)
                                     : std::string());
    val unknown = val::array();
    for (const std::string& name : read.unknown) unknown.call<void>("push", name);
    result.set("unknown", unknown);
    return result;
}

// The link of a set: [[name, value], ...], the version first.
val WriteLink(const val& boxes, const val& seed)
{
    const auto pairs = WriteSettingPairs(
        BoxesOf(boxes), seed.isNull() || seed.isUndefined()
                            ? std::nullopt
                            : std::optional<std::uint32_t>(static_cast<std::uint32_t>(seed.as<double>())));
    val out = val::array();
    for (const SettingPair& p : pairs) {
        val pair = val::array();
        pair.call<void>("push", p.name, p.value);
        out.call<void>("push", pair);
    }
    return out;
}

// The refusal of a value typed for a setting, '' when it holds one.
std::string CheckSetting(const std::string& name, const std::string& value)
{
    const SettingDescription* d = FindSettingByName(name);
    if (d == nullptr) return "「" + name + "」という設定はありません";
    return RefusalOfValue(*d, value, PairSource::Link).value_or("");
}

val PresetNames()
{
    val names = val::array();
    for (const GradePreset& preset : GradePresets()) names.call<void>("push", std::string(preset.name));
    return names;
}

// The settings with the preset's applied, by control.
val ApplyPreset(const val& boxes, int index)
{
    const auto presets = GradePresets();
    if (index < 0 || static_cast<std::size_t>(index) >= presets.size()) return BoxesToJs(BoxesOf(boxes));
    return BoxesToJs(WithPreset(BoxesOf(boxes), presets[static_cast<std::size_t>(index)]));
}

}  // namespace tavrimo
