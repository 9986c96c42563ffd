#pragma once

// A Canvas for tests: draws nothing, records every call as plain data, and
// measures text with fixed metrics: narrowWidth (7) per ASCII code point,
// wideWidth (14) per other one (bytes that are not UTF-8 continuation bytes),
// summed modulo 2^32; the text height is the current font height.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/canvas.h"

namespace tavrimo::testing {

enum class CanvasOp {
    TextOut,
    TextWidth,
    TextHeight,
    SetFontName,
    SetFontHeight,
    SetPenColor,
    SetPenWidth,
    SetBrushStyle,
    SetBrushColor,
    Rectangle,
    MoveTo,
    LineTo
};

// One call. Fields a call does not use stay at their defaults, so two calls
// compare equal exactly when they are the same call with the same arguments.
struct CanvasCall {
    using I = std::int32_t;
    using S = std::string_view;
    using Op = CanvasOp;

    CanvasOp op = Op::TextOut;
    std::int32_t x = 0, y = 0, x2 = 0, y2 = 0;  // a point, or Rectangle's two corners
    std::int32_t value = 0;                     // font height, pen width, or the measured result
    std::string text{};                         // TextOut, the measured text, or the font name
    Rgb color{};                                // SetPenColor, SetBrushColor
    BrushStyle style = BrushStyle::Solid;

    friend bool operator==(const CanvasCall&, const CanvasCall&) = default;

    static CanvasCall Text(I x, I y, S t) { return {.x = x, .y = y, .text = std::string(t)}; }
    static CanvasCall Width(S t, I w) { return {.op = Op::TextWidth, .value = w, .text = std::string(t)}; }
    static CanvasCall Height(S t, I h) { return {.op = Op::TextHeight, .value = h, .text = std::string(t)}; }
    static CanvasCall FontName(S name) { return {.op = Op::SetFontName, .text = std::string(name)}; }
    static CanvasCall FontHeight(I h) { return {.op = Op::SetFontHeight, .value = h}; }
    static CanvasCall PenColor(Rgb c) { return {.op = Op::SetPenColor, .color = c}; }
    static CanvasCall PenWidth(I w) { return {.op = Op::SetPenWidth, .value = w}; }
    static CanvasCall Brush(BrushStyle s) { return {.op = Op::SetBrushStyle, .style = s}; }
    static CanvasCall BrushColor(Rgb c) { return {.op = Op::SetBrushColor, .color = c}; }
    static CanvasCall Rect(I x1, I y1, I x2, I y2) { return {Op::Rectangle, x1, y1, x2, y2}; }
    static CanvasCall Move(I x, I y) { return {.op = Op::MoveTo, .x = x, .y = y}; }
    static CanvasCall Line(I x, I y) { return {.op = Op::LineTo, .x = x, .y = y}; }
};

// A rectangle in device pixels: left, top, right and bottom (exclusive), and the text drawn in it.
struct Box {
    std::int32_t l = 0, t = 0, r = 0, b = 0;
    std::string text{};  // "" for a line
    friend bool operator==(const Box&, const Box&) = default;
    bool In(const Box& o) const { return l >= o.l && t >= o.t && r <= o.r && b <= o.b; }
    bool Meets(const Box& o) const { return l < o.r && o.l < r && t < o.b && o.t < b; }
};

// Readable failure messages in GoogleTest (found by argument-dependent lookup).
inline std::ostream& operator<<(std::ostream& out, const CanvasCall& c)
{
    static constexpr const char* kNames[] = {"TextOut",       "TextWidth",   "TextHeight",  "SetFontName",
                                             "SetFontHeight", "SetPenColor", "SetPenWidth", "SetBrushStyle",
                                             "SetBrushColor", "Rectangle",   "MoveTo",      "LineTo"};
    return out << kNames[static_cast<int>(c.op)] << "(x " << c.x << ", y " << c.y << ", x2 " << c.x2
               << ", y2 " << c.y2 << ", value " << c.value << ", \"" << c.text << "\", rgb " << int{c.color.r}
               << ' ' << int{c.color.g} << ' ' << int{c.color.b} << ", style " << static_cast<int>(c.style)
               << ')';
}

class RecordingCanvas : public Canvas {
    using I = std::int32_t;
    using S = std::string_view;
    using Call = CanvasCall;

public:
    explicit RecordingCanvas(I narrowWidth = 7, I wideWidth = 14) : narrow_(narrowWidth), wide_(wideWidth) {}

    void TextOut(I x, I y, S t) override { Record(Call::Text(x, y, t)); }
    I TextWidth(S t) override { return Record(Call::Width(t, Measure(t))); }
    I TextHeight(S t) override { return Record(Call::Height(t, fontHeight_)); }
    void SetFontName(S name) override { Record(Call::FontName(name)); }
    void SetFontHeight(I h) override { fontHeight_ = Record(Call::FontHeight(h)); }
    void SetPenColor(Rgb c) override { Record(Call::PenColor(c)); }
    void SetPenWidth(I w) override { Record(Call::PenWidth(w)); }
    void SetBrushStyle(BrushStyle s) override { Record(Call::Brush(s)); }
    void SetBrushColor(Rgb c) override { Record(Call::BrushColor(c)); }
    void Rectangle(I x1, I y1, I x2, I y2) override { Record(Call::Rect(x1, y1, x2, y2)); }
    void MoveTo(I x, I y) override { Record(Call::Move(x, y)); }
    void LineTo(I x, I y) override { Record(Call::Line(x, y)); }

    const std::vector<CanvasCall>& calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    // The recorded calls of one kind, in order.
    std::vector<CanvasCall> CallsOf(CanvasOp op) const
    {
        std::vector<CanvasCall> found;
        std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
                     [op](const CanvasCall& call) { return call.op == op; });
        return found;
    }

    // The width this canvas gives text, without recording a call.
    I Measure(S text) const
    {
        std::uint32_t width = 0;
        for (const unsigned char byte : text)
            width += static_cast<std::uint32_t>(byte < 0x80 ? narrow_ : byte >= 0xC0 ? wide_ : 0);
        return static_cast<I>(width);
    }

private:
    // Returns the call's value, so measuring calls can pass their result on.
    I Record(CanvasCall call)
    {
        calls_.push_back(std::move(call));
        return calls_.back().value;
    }

    I narrow_, wide_, fontHeight_ = 0;
    std::vector<CanvasCall> calls_;
};

}  // namespace tavrimo::testing
