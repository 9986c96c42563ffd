#pragma once

#include <string>

#include "problems/mixed_number.h"
#include "problems/problem_table.h"

namespace tavrimo {

// A mixed number as plain text, e.g. "3 1/4", "1/2", "5"; a value of 0 is "0".
std::string MixedNumberText(const MixedNumber& m);

// "a - b = answer" for a slot whose answer has been computed.
std::string ProblemLine(const ProblemTable& table, int index);

}  // namespace tavrimo
