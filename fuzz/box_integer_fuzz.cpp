// Any text in a settings box: the conversion refuses it or gives the integer
// it spells, and the spelling rules hold around it.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "problems/box_integer.h"

using tavrimo::ParseBoxInteger;
using tavrimo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = ParseBoxInteger(text);

    // Leading spaces are skipped; anything after the digits spoils the text.
    Require(ParseBoxInteger(" " + text) == value);
    Require(!ParseBoxInteger(text + " "));

    if (!value) {
        const std::string message = tavrimo::WithClosingPeriod(tavrimo::NotAnIntegerMessage(text));
        Require(message.compare(1, text.size(), text) == 0 && message.back() == '.');
        return 0;
    }
    Require(text.find_first_not_of(" +-$xX0123456789abcdefABCDEF") == std::string::npos);
    Require(ParseBoxInteger(std::to_string(*value)) == value);

    // A sign in front of an unsigned spelling keeps or negates its value.
    const std::size_t first = text.find_first_not_of(' ');
    if (first != std::string::npos && text[first] != '+' && text[first] != '-') {
        const std::string unsignedText = text.substr(first);
        Require(*value >= 0);
        Require(ParseBoxInteger("+" + unsignedText) == value);
        Require(ParseBoxInteger("-" + unsignedText) == -*value);
    }
    return 0;
}
