#pragma once

// The settings between the page and the core: every setting by its control's
// name as a JS object, the descriptions the page builds its controls from,
// links read and written by the command line's rule, and the grade presets.

#include <emscripten/val.h>

#include <string>

#include "problems/settings_boxes.h"

namespace tavrimo {

using emscripten::val;

val BoxesToJs(const SettingsBoxes& boxes);

// Every setting by its control's name: a box's text, or a group's item, a
// flag or a number; missing ones keep their defaults.
SettingsBoxes BoxesOf(const val& boxes);

val Descriptions();
val ReadLink(const val& params);
val WriteLink(const val& boxes, const val& seed);
std::string CheckSetting(const std::string& name, const std::string& value);
val PresetNames();
val ApplyPreset(const val& boxes, int index);

}  // namespace tavrimo
