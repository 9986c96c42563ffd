#include "problems/problem_text.h"

namespace tavrimo {

std::string MixedNumberText(const MixedNumber& m)
{
    // As on the sheet: a fraction only when the numerator is above 0, the
    // whole part when it is not 0 or when nothing else would show.
    std::string text;
    if (m.Whole != 0 || m.Numerator <= 0) text = std::to_string(m.Whole);
    if (m.Numerator > 0) {
        if (!text.empty()) text += ' ';
        text += std::to_string(m.Numerator) + "/" + std::to_string(m.Denominator);
    }
    return text;
}

std::string ProblemLine(const ProblemTable& table, int index)
{
    return MixedNumberText(table.Minuend.at(index)) + " - " + MixedNumberText(table.Subtrahend.at(index)) +
           " = " + MixedNumberText(table.Answer.at(index));
}

}  // namespace tavrimo
