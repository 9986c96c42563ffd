#pragma once

#include <cstdint>
#include <vector>

#include "problems/sheet.h"
#include "problems/working_steps.h"
#include "runtime/canvas.h"

namespace tavrimo {

// The answer sheet that shows the working. Each page has the header of every
// sheet, its number followed by "(page/pages)" when there are several, then
// up to ten problems in rows of two, each problem line followed by its "="
// lines aligned under its first "=". The problems are those of the plain sheet
// (ProblemsOnSheet), in rows of two shared out evenly among the pages, so 20
// problems take two pages of ten and 16 two pages of eight.
inline constexpr std::int32_t kWorkedProblemsPerPage = 10;

// The number of pages for a sheet of questionCount problems; at least 1.
std::int32_t WorkedAnswerPageCount(std::int32_t questionCount);

// The area given to one problem of a page, in device units, right and bottom
// exclusive.
struct WorkedCell {
    std::int32_t index = 0;  // the problem's slot in the table
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// The problems of page pageIndex (from 0) and their areas, in drawing order;
// none for a page the sheet does not have.
std::vector<WorkedCell> WorkedAnswerCells(std::int32_t TargetWidth, std::int32_t TargetHeight,
                                          std::int32_t questionCount, std::int32_t pageIndex);

// Draws page pageIndex (from 0) of the sheet's answer sheet with the working
// by the method, scaled onto the target as DrawSheet scales a sheet. The
// working and the answers are computed from the operands, whatever
// ShowAnswers says; the table is not written.
void DrawWorkedAnswerPage(Canvas& canvas, std::int32_t TargetWidth, std::int32_t TargetHeight,
                          const Sheet& sheet, WorkingMethod method, std::int32_t pageIndex);

}  // namespace tavrimo
