#pragma once

// How the fuzzers read their input: settings box texts, one a line, in the
// order the window reads them, then raw bytes for the rest. Missing lines
// keep the window's defaults, so short inputs stay meaningful.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "problems/setting_descriptions.h"
#include "problems/settings_reader.h"

namespace tavrimo::fuzz {

// A broken property: abort, which libFuzzer reports with the input.
inline void Require(bool ok)
{
    if (!ok) std::abort();
}

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size)
    {
    }

    // The next line, without its newline; false when the input is used up.
    bool Line(std::string& out)
    {
        if (rest_.empty()) return false;
        const std::size_t end = rest_.find('\n');
        out = std::string(rest_.substr(0, end));
        rest_ = end == std::string_view::npos ? std::string_view{} : rest_.substr(end + 1);
        return true;
    }

    // The next raw byte, 0 when the input is used up.
    std::uint8_t Byte()
    {
        if (rest_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }

    std::uint32_t Word()
    {
        std::uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w = w << 8 | Byte();
        return w;
    }

private:
    std::string_view rest_;
};

// The nine boxes in reading order.
inline std::string SettingsBoxes::*const kBoxFields[] = {
    &SettingsBoxes::PrnNum,     &SettingsBoxes::edtIntf1,   &SettingsBoxes::edtIntf2,
    &SettingsBoxes::edtIntb1,   &SettingsBoxes::edtIntb2,   &SettingsBoxes::edtBunbof1,
    &SettingsBoxes::edtBunbof2, &SettingsBoxes::edtBunbob1, &SettingsBoxes::edtBunbob2,
};

// Box texts from the lines, then, when asked for, the question sentence
// from the next line; then every item index, flag and number. Each takes a
// byte: an even one picks a value the controls can hold, an odd one is
// followed by a raw word, any int at all, which the reading must refuse
// unless it happens to lie in range. A last byte's bits are left in
// *moreFlags.
inline SettingsBoxes ReadBoxes(FuzzInput& input, std::string* question = nullptr,
                               std::uint8_t* moreFlags = nullptr)
{
    SettingsBoxes boxes;
    bool complete = true;
    for (auto field : kBoxFields) {
        if (!input.Line(boxes.*field)) {
            complete = false;
            break;
        }
    }
    if (question && complete) input.Line(*question);
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.value == nullptr) continue;
        const std::uint8_t pick = input.Byte();
        if (pick & 1) {
            boxes.*d.value = static_cast<int>(input.Word());
        } else {
            const std::int64_t span = d.high - d.low + 1;
            boxes.*d.value = static_cast<int>(d.low + (pick >> 1) % span);
        }
    }
    if (moreFlags) *moreFlags = input.Byte();
    return boxes;
}

}  // namespace tavrimo::fuzz
