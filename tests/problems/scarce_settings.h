#pragma once

// Settings that admit very few problems, for the short sets of the problem and session tests.
#include "problems/settings_boxes.h"

namespace tavrimo::test {

// Whole parts 1 to 1, denominators 2 to 3, reducible answers or not: two distinct problems only,
// 1 1/2 - 1 1/2 and 1 1/3 - 1 1/3.
inline SettingsBoxes TwoProblemsOnly()
{
    SettingsBoxes few{.edtIntf1 = "1", .edtIntf2 = "1", .edtIntb1 = "1", .edtIntb2 = "1", .rgAnswer = 2};
    few.edtBunbof2 = few.edtBunbob2 = "3";
    return few;
}

}  // namespace tavrimo::test
