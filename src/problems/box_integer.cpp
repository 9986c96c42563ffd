#include "problems/box_integer.h"

#include <cstdint>

namespace tavrimo {
namespace {

int DigitValue(char c, int base)
{
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

}  // namespace

std::optional<std::int32_t> ParseBoxInteger(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    int base = 10;
    const std::string_view rest = text.substr(i);
    if (rest.starts_with("0x") || rest.starts_with("0X")) {
        base = 16;
        i += 2;
    } else if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X')) {
        base = 16;
        i += 1;
    }

    if (i >= text.size()) return std::nullopt;  // no digits at all
    // The magnitude may reach 2^31 for the most negative value.
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > limit) return std::nullopt;
    }
    const auto magnitude = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

std::string NotAnIntegerMessage(std::string_view text)
{
    std::string message = "'";
    message += text;
    message += "' は整数ではありません";
    return message;
}

std::string WithClosingPeriod(std::string message)
{
    // Compared as bytes: every Japanese character's UTF-8 lead byte sorts
    // after ".", as it did in the original code page.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.')) {
        message += '.';
    }
    return message;
}

}  // namespace tavrimo
