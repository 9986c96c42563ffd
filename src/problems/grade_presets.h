#pragma once

// Settings a teacher starts a grade's practice from, chosen in the 詳細設定
// dialog: they fill the window's boxes and options in one step, and the
// teacher may change them afterwards.

#include <span>
#include <string_view>

#include "problems/settings_boxes.h"

namespace tavrimo {

struct PresetValue {
    std::string_view name;   // the setting's option name
    std::string_view value;  // as a link gives it
};

struct GradePreset {
    std::string_view name;
    // The settings it sets. The sheet number, the sentence, the count and
    // the class set's settings are left as they are.
    std::span<const PresetValue> settings;
};

std::span<const GradePreset> GradePresets();

// The settings with the preset's applied; the dialog's settings a preset
// does not name go back to their defaults, so a preset always means the same.
SettingsBoxes WithPreset(const SettingsBoxes& current, const GradePreset& preset);

}  // namespace tavrimo
