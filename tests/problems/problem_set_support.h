#pragma once

// Sets made as a preview makes them, for the problem and session tests.
#include "problems/answer.h"
#include "problems/problem_set.h"

namespace tavrimo::test {

struct Assembled {
    Sheet sheet;
    ProblemKeys keys{};
    AssemblyOutcome outcome;
};

// The set the boxes make from a fresh seed, with its answers.
inline Assembled Assemble(const SettingsBoxes& boxes, std::uint32_t seed)
{
    Assembled s;
    RandomSource source(seed);
    s.outcome = AssembleProblemSet(boxes, source, s.sheet, s.keys);
    for (int i = 1; i <= s.sheet.QuestionCount; ++i) CalcAnswer(s.sheet.table, i, "-");
    return s;
}

// Whole parts 1 to 1, denominators 2 to 3, reducible answers or not: two distinct problems only,
// 1 1/2 - 1 1/2 and 1 1/3 - 1 1/3.
inline SettingsBoxes TwoProblemsOnly()
{
    SettingsBoxes few{.edtIntf1 = "1", .edtIntf2 = "1", .edtIntb1 = "1", .edtIntb2 = "1", .rgAnswer = 2};
    few.edtBunbof2 = few.edtBunbob2 = "3";
    return few;
}

}  // namespace tavrimo::test
