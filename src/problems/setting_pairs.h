#pragma once

// Settings as name=value pairs: a link's parameters and tavrimo-sheets'
// options are read (and links written) by this one rule, so both take the
// same values the same way.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "problems/setting_descriptions.h"
#include "problems/settings_boxes.h"

namespace tavrimo {

struct SettingPair {
    std::string name;
    std::string value;  // a flag: "" or "1" for on, "0" for off
};

struct SettingRefusal {
    std::string name;     // the setting's name, for the front end to show as it names settings
    std::string message;  // Japanese, without a closing "."
};

struct SettingsFromPairs {
    SettingsBoxes boxes;  // every setting not given keeps its default
    std::optional<std::uint32_t> seed;
    // The first refusal, in the order of the settings; the others are read.
    std::optional<SettingRefusal> refusal;
    std::vector<std::string> unknown;  // names no setting has, each once
};

// Where the pairs come from: the command line allows longer runs than a link.
enum class PairSource { Link, CommandLine };

// A box's text longer than this is refused before it reaches the box: a
// link or an option must never make the page crawl.
inline constexpr std::size_t kLongestBoxValue = 200;

// The name of the generators' version in a link.
inline constexpr std::string_view kVersionName = "v";

// A name given twice takes its last value. Box texts are kept as given (the
// window's conversion reads them later); numbers, choices and flags are
// checked here: spaces around a number are ignored and the rest must be
// decimal digits within the setting's range.
SettingsFromPairs ReadSettingPairs(std::span<const SettingPair> pairs, PairSource source);

// The link of a set: the version, the seed, every setting of the window (a
// flag only when on) and the dialog's settings that differ from their
// defaults.
std::vector<SettingPair> WriteSettingPairs(const SettingsBoxes& boxes, std::optional<std::uint32_t> seed);

// The refusal of a value for the setting, or nothing when it holds one.
std::optional<std::string> RefusalOfValue(const SettingDescription& d, std::string_view value,
                                          PairSource source);

// The one rule for a number given as text: spaces around it are ignored, the
// rest must be decimal digits.
std::optional<std::int64_t> DecimalNumber(std::string_view text);

// The characters of a text as the page's boxes count them (UTF-16 units).
std::size_t TextLength(std::string_view utf8);

}  // namespace tavrimo
