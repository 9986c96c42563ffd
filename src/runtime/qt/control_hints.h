#pragma once

#include <QString>

class QWidget;

namespace tavrimo {

// A control's hint shows once the pointer has rested on it this long, and
// hides again after the show time.
inline constexpr int kHintDelayMs = 500;
inline constexpr int kHintShowTimeMs = 2500;

// Gives the control its hint as a tooltip with the timing above. Needs the
// QApplication, which keeps the style that times the hints.
void SetHint(QWidget& control, const QString& hint);

}  // namespace tavrimo
