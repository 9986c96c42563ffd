#include "problems/question_text.h"

namespace tavrimo {

std::string SheetQuestionText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
            out += ' ';
        } else if (c < 0x20 || c == 0x7F) {
            continue;
        } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            ++i;  // U+0080..U+009F, the C1 controls
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace tavrimo
