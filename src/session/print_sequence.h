#pragma once

#include <string_view>
#include <vector>

#include "problems/sheet.h"
#include "runtime/sheet_printer.h"

namespace tavrimo {

// The document title of every print job and of every PDF.
inline constexpr const char* kDocumentTitle = "Tavrimo引き算分数編";

// The three print commands, by the sheets they print.
enum class PrintCommand {
    Problems,            // 印刷: the problem sheet
    ProblemsAndAnswers,  // 印刷（答えつき）: the problem sheet, then the answer sheet
    Answers,             // 印刷（答えのみ）: the answer sheet
};

// The sheets the command prints of a set, in order, with the sentence given.
std::vector<Sheet> SheetsOf(PrintCommand command, const Sheet& set, std::string_view questionText);

// One print command: portrait, the printable area read once (height, then
// width), then one job of one page per sheet, drawn on that area. Stops at
// the first fault, whose detail the printer then holds. Each job draws a copy of its sheet, so the answers it
// computes never touch the caller's table.
PrinterFault PrintSheets(SheetPrinter& printer, const std::vector<Sheet>& sheets);

}  // namespace tavrimo
