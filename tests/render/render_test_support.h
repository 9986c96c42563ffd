#pragma once

// Helpers shared by the rendering tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/problem_table.h"
#include "recording_canvas.h"

namespace tavrimo::testing {

// The code points of well-formed UTF-8 text.
inline std::vector<char32_t> CodePoints(std::string_view utf8)
{
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < utf8.size(); ++k) {
            point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

// The first TextOut of exactly this text.
inline std::optional<CanvasCall> FindTextOut(const std::vector<CanvasCall>& calls, std::string_view text)
{
    for (const CanvasCall& call : calls) {
        if (call.op == CanvasOp::TextOut && call.text == text) return call;
    }
    return std::nullopt;
}

// Every problem i gets a minuend whose whole part 100 + i is drawn first, at
// the problem's start point, and is found by its text.
inline ProblemTable NumberedTable()
{
    ProblemTable table;
    for (int i = 1; i <= kMaxProblems; ++i) {
        table.Minuend[i] = {100 + i, 1, 2};
        table.Subtrahend[i] = {0, 1, 3};
    }
    return table;
}

inline std::string MinuendText(int index)
{
    return std::to_string(100 + index);
}

}  // namespace tavrimo::testing
