#pragma once

// The print commands: which sheets of a set or a class set they print, in
// which order and in how many jobs, and how each page is drawn.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problems/settings_boxes.h"
#include "problems/sheet.h"
#include "runtime/canvas.h"
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

bool IsPrintCommand(PrintCommand command);

// How sheets look, read from the controls at every drawing as the sentence
// is, so a change shows on the next repaint or print without a new set.
struct SheetLook {
    std::string QuestionText;
    bool ClassHeader = false;
    bool ProblemNumbers = false;
    bool ShowWorking = false;
    WorkingMethod Method = WorkingMethod::Borrow;
    bool Stacks = false;  // a class set's problem sheets together, then its answer sheets
};

SheetLook LookOf(const SettingsBoxes& boxes);

// Gives the sheet the look; its sentence as a sheet draws it, control
// characters left out, whichever front end it came from.
void ApplyLook(Sheet& sheet, const SheetLook& look);

// The sheets the command prints of one set, in order, looking as given.
std::vector<Sheet> SheetsOf(PrintCommand command, const Sheet& set, const SheetLook& look);

// A page of a job: a sheet and which of its pages.
struct SheetPage {
    Sheet sheet;
    int page = 0;
};

struct PlannedJob {
    PrintJob job;
    std::vector<SheetPage> pages;
};

// The jobs of a command over the sets, each already numbered. One set prints
// one job per sheet. A class set goes in as few jobs as its order allows:
// sheet by sheet (each set's problem sheet, then its answer sheet) in one
// job; in stacks, one job of the problem sheets and one of the answer sheets.
std::vector<PlannedJob> PlanJobs(PrintCommand command, const std::vector<Sheet>& sets, const SheetLook& look);

// The pages of a sheet: one, or more for an answer sheet with its working.
int PageCount(const Sheet& sheet);

// Draws page `page` of the sheet onto width x height device pixels. A plain
// answer sheet computes its answers into the sheet's table as it draws them.
void DrawPage(Canvas& canvas, std::int32_t width, std::int32_t height, Sheet& sheet, int page);

// The jobs on the printer: portrait, the printable area read once (height,
// then width), every page drawn on that area. Stops at the first fault,
// whose detail the printer then holds.
PrinterFault PrintJobs(SheetPrinter& printer, const std::vector<PlannedJob>& jobs);

}  // namespace tavrimo
