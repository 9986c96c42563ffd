#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrimo {

// The integer a settings box holds: leading spaces, an optional sign, then
// decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X", and
// nothing after the digits. Anything else, or a value outside the signed
// 32-bit range, holds no integer.
std::optional<std::int32_t> ParseBoxInteger(std::string_view text);

// "'<text>' は整数ではありません": the message for a box holding no integer.
std::string NotAnIntegerMessage(std::string_view text);

// The error report's rule: a "." is added when the message's last character
// sorts after ".".
std::string WithClosingPeriod(std::string message);

}  // namespace tavrimo
