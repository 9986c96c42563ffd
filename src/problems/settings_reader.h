#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "problems/settings_boxes.h"
#include "problems/worksheet_settings.h"

namespace tavrimo {

struct SettingsReading {
    // Read first, so it is set even when a later box fails.
    std::optional<std::int32_t> PrintNumber;
    // Set when every box held an integer inside its domain and every choice,
    // flag and number lies in its range.
    std::optional<WorksheetSettings> settings;
    // Otherwise the Japanese message for the user, without the closing ".",
    // and the name of the setting refused (its option and link parameter).
    std::string error;
    std::string_view errorName;
};

// Reads the boxes in their fixed order (sheet number, whole parts of a and b,
// denominators of a and b), each range put in order. A box that holds no
// integer stops the reading there; values outside the boxes' stated domain
// (whole parts 0..99, denominators 0 or 2..99) are refused after that, and
// then item indices and numbers outside their settings' ranges.
SettingsReading ReadSettings(const SettingsBoxes& boxes);

// Exchanges the two when low > high.
void OrderPair(std::int32_t& low, std::int32_t& high);

}  // namespace tavrimo
