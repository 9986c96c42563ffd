#pragma once

#include <cstdint>
#include <string>

#include "problems/problem_table.h"

namespace tavrimo {

// The document title of every PDF, as of every print job.
inline constexpr const char* kDocumentTitle = "Tavrimo引き算分数編";

// Everything one printed page of a sheet needs: the problems and what the
// drawing reads besides them.
struct SheetPage {
    ProblemTable table;
    std::int32_t QuestionCount = 0;
    std::int32_t PrintNumber = 0;
    bool ShowAnswers = false;
    std::string QuestionText;
};

}  // namespace tavrimo
