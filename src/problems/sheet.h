#pragma once

#include <cstdint>
#include <string>

#include "problems/problem_table.h"

namespace tavrimo {

// One sheet to draw: the problems and what the drawing reads besides them.
// The window's set is one of these; every print job draws a copy.
struct Sheet {
    ProblemTable table;
    std::int32_t QuestionCount = 0;
    std::int32_t PrintNumber = 0;
    bool ShowAnswers = false;
    std::string QuestionText;
};

}  // namespace tavrimo
