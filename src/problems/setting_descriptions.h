#pragma once

// Every setting described once: its control, its one name on the command line
// and in links, its label, kind, default, range and refusal message. The
// window, the 詳細設定 dialog, tavrimo-sheets' options and help, the web
// page's controls and links, and the JSON's echo are all made from this table.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "problems/settings_boxes.h"

namespace tavrimo {

enum class SettingKind {
    BoxText,  // an edit box's text, converted as the window converts it
    Text,     // free text
    Choice,   // one item of a list, by index
    Flag,     // off or on (0 or 1); a two-item radio group where item 1 is "on"
    Number,   // a whole number in a range, or off
};

enum class SettingPlace {
    Window,  // a control of the main window
    Dialog,  // a control of the 詳細設定 dialog
    Run,     // no control: only the command line and links carry it (the seed)
};

// An item of a choice (or of a flag's radio group): its text in the window
// and its value on the command line and in links.
struct SettingItem {
    std::string_view text;
    std::string_view value;
};

struct SettingDescription {
    std::string_view control;  // the control's name, in the window and on the page
    std::string_view name;     // option (--name) and link parameter
    std::string_view label;    // Japanese, as messages and the dialog name it
    SettingKind kind;
    SettingPlace place;
    // Where the value lives: text for BoxText and Text, value for the others.
    std::string SettingsBoxes::*text = nullptr;
    int SettingsBoxes::*value = nullptr;
    // Number: the range. BoxText: the domain low..high, with zero besides when
    // zeroToo; no domain when low > high.
    std::int64_t low = 0, high = 0;
    bool zeroToo = false;
    int maxLength = 0;  // BoxText and Text: the most characters typed (0: no limit)
    std::span<const SettingItem> items = {};
    std::string_view hint = {};     // the control's tooltip; for a box, its domain in words
    std::string_view follows = {};  // copies this setting's value unless given itself
    // Number: the value that means off, shown as offText; outside low..high.
    std::optional<int> off = {};
    std::string_view offText = {};
    std::string_view unit = {};         // shown after a number, e.g. "%"
    std::span<const int> offered = {};  // Number: the values a dialog lists
    std::string_view help = {};         // the command line's help line, when the label is not enough
    // The most the command line takes, where it makes longer runs than a
    // link or the dialog (sheets for files); 0: high.
    std::int64_t commandLineHigh = 0;
};

// All settings, in the order the window reads its boxes and the help lists them.
std::span<const SettingDescription> SettingDescriptions();

const SettingDescription* FindSettingByName(std::string_view name);
const SettingDescription* FindSettingByControl(std::string_view control);

// The default: the text of a text kind, otherwise the index, flag or number.
std::string DefaultText(const SettingDescription& d);
int DefaultValue(const SettingDescription& d);

// The version of the problem generators: a link or a JSON set made by a
// later version may give other problems for the same seed and settings.
inline constexpr int kGeneratorVersion = 1;

}  // namespace tavrimo
