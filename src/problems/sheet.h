#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "problems/problem_table.h"
#include "problems/working_steps.h"

namespace tavrimo {

// One sheet to draw: the problems and what the drawing reads besides them.
// The window's set is one of these; every print job draws a copy.
struct Sheet {
    ProblemTable table;
    std::int32_t QuestionCount = 0;
    std::int32_t PrintNumber = 0;
    bool ShowAnswers = false;
    std::string QuestionText;
    // How it looks beyond the plain sheet, as the 詳細設定 dialog says.
    bool ClassHeader = false;     // name, class, date and score fields in the header
    bool ProblemNumbers = false;  // (1), (2)... before the problems
    bool ShowWorking = false;     // an answer sheet shows each problem's working
    WorkingMethod Method = WorkingMethod::Borrow;
};

// Only full rows of two problems are on a sheet, and only the table's slots:
// an odd count leaves its last problem off. The sheet, the preview's
// accessible text, the command line's text and JSON all count by this.
inline std::int32_t ProblemsOnSheet(std::int32_t questionCount)
{
    return std::clamp<std::int32_t>(questionCount / 2 * 2, 0, kMaxProblems);
}

}  // namespace tavrimo
