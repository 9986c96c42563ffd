#pragma once

#include <string>
#include <string_view>

namespace tavrimo {

// The instruction sentence as a sheet draws it: one line of printable text.
// Tabs and line breaks become spaces and other control characters are left
// out, the same way whichever front end the text came from, so that no sheet
// shows them as boxes or silently joins two lines.
std::string SheetQuestionText(std::string_view text);

}  // namespace tavrimo
