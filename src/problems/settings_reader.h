#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "problems/worksheet_settings.h"

namespace tavrimo {

// The settings controls as the window holds them: box texts and the selected
// item of each radio group. The defaults are the window's initial values.
struct SettingsBoxes {
    std::string PrnNum = "1";
    std::string edtIntf1 = "0", edtIntf2 = "0";
    std::string edtBunbof1 = "2", edtBunbof2 = "99";
    std::string edtIntb1 = "0", edtIntb2 = "0";
    std::string edtBunbob1 = "2", edtBunbob2 = "99";
    int rgAnswer = 0;
    int rgQNum = 0;
    int rgTuubun = 0;
    int rgBaisuu = 0;
    int rgYakubun = 0;
};

struct SettingsReading {
    // Read first, so it is set even when a later box fails.
    std::optional<std::int32_t> PrintNumber;
    // Set when every box held an integer inside its domain.
    std::optional<WorksheetSettings> settings;
    // Otherwise the Japanese message for the user, without the closing ".".
    std::string error;
};

// Reads the boxes in their fixed order (sheet number, count, whole parts of a
// and b, denominators of a and b), each range put in order. A box that holds
// no integer stops the reading there; values outside the boxes' stated domain
// (whole parts 0..99, denominators 0 or 2..99) are refused after that.
SettingsReading ReadSettings(const SettingsBoxes& boxes);

// Exchanges the two when low > high.
void OrderPair(std::int32_t& low, std::int32_t& high);

}  // namespace tavrimo
