#pragma once

#include <vector>

#include "runtime/sheet_page.h"
#include "runtime/sheet_printer.h"

namespace tavrimo {

// One print command: portrait, the printable area read once (height, then
// width), then one job of one page per sheet, drawn on that area. Stops at
// the first fault.
PrinterFault PrintSheetPages(SheetPrinter& printer, const std::vector<SheetPage>& pages);

}  // namespace tavrimo
