#pragma once

#include <vector>

#include "problems/sheet.h"
#include "runtime/sheet_printer.h"

namespace tavrimo {

// The document title of every print job and of every PDF.
inline constexpr const char* kDocumentTitle = "Tavrimo引き算分数編";

// One print command: portrait, the printable area read once (height, then
// width), then one job of one page per sheet, drawn on that area. Stops at
// the first fault, whose detail the printer then holds. Each job draws a copy of its sheet, so the answers it
// computes never touch the caller's table.
PrinterFault PrintSheets(SheetPrinter& printer, const std::vector<Sheet>& sheets);

}  // namespace tavrimo
