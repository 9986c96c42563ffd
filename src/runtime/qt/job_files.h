#pragma once

#include <QString>
#include <cstdint>

namespace tavrimo {

// When printing goes to a file, every job gets its own file next to the one
// the user chose: "sheet.pdf" gives "sheet-7.pdf" for sheet 7 and
// "sheet-7-解答.pdf" for its answer sheet. A name already taken on disk (by
// anything, a symbolic link included) gets " (2)", " (3)"... before its
// ending, so no job overwrites an earlier one or writes through a link.
QString JobFilePath(const QString& chosenPath, std::int32_t sheetNumber, bool answerSheet);

}  // namespace tavrimo
