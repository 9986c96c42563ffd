#pragma once

#include <QString>

namespace tavrimo {

// The title the error report is captioned with: the program file's name
// without its folder and without everything from its first "." on, every
// letter after the first in lower case ("TAVRIMO.EXE" gives "Tavrimo",
// "tavrimo" stays "tavrimo").
QString ApplicationTitle(const QString& programPath);

}  // namespace tavrimo
