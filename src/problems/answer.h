#pragma once

#include <string_view>

#include "problems/problem_table.h"

namespace tavrimo {

// Works out Minuend - Subtrahend of slot index (or the sum when operation is
// exactly "+") the way a pupil is taught, reduced to lowest terms, and stores
// it in the Answer column of the slot.
void CalcAnswer(ProblemTable& table, int index, std::string_view operation);

}  // namespace tavrimo
