#pragma once

// A Canvas for tests: it draws nothing, records every call in order as plain
// data, and measures text with fixed metrics so positions can be checked as
// numbers.
//
// Metrics:
//   TextWidth(text)  = narrowWidth * (ASCII code points)
//                    + wideWidth * (other code points),
//                    defaults 7 and 14, so "15" is 14 wide and "分" 14 wide;
//   TextHeight(text) = the current font height (0 until one is set), for any
//                    text.
// Code points are counted as the bytes that are not UTF-8 continuation bytes
// (0x80..0xBF), so malformed text is measured too. The sums wrap modulo 2^32
// like the sheet's arithmetic, so huge metrics are safe to use.
//
// The canvas also keeps the state the calls set (font, pen, brush, current
// point); a negative pen width is ignored as the Canvas contract says.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "render/canvas.h"

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
    LineTo,
};

// One call. Fields a call does not use stay at their defaults, so two calls
// compare equal exactly when they are the same call with the same arguments.
struct CanvasCall {
    CanvasOp op = CanvasOp::TextOut;
    std::int32_t x = 0, y = 0;    // TextOut, MoveTo, LineTo; Rectangle's first corner
    std::int32_t x2 = 0, y2 = 0;  // Rectangle's second corner
    std::int32_t value = 0;       // font height, pen width, or the measured result
    std::string text;             // TextOut, the measured text, or the font name
    Rgb color{};                  // SetPenColor, SetBrushColor
    BrushStyle style = BrushStyle::Solid;

    friend bool operator==(const CanvasCall&, const CanvasCall&) = default;

    static CanvasCall Text(std::int32_t x, std::int32_t y, std::string_view text)
    {
        CanvasCall call = Of(CanvasOp::TextOut);
        call.x = x;
        call.y = y;
        call.text = text;
        return call;
    }
    static CanvasCall Width(std::string_view text, std::int32_t result)
    {
        CanvasCall call = Of(CanvasOp::TextWidth);
        call.text = text;
        call.value = result;
        return call;
    }
    static CanvasCall Height(std::string_view text, std::int32_t result)
    {
        CanvasCall call = Of(CanvasOp::TextHeight);
        call.text = text;
        call.value = result;
        return call;
    }
    static CanvasCall FontName(std::string_view name)
    {
        CanvasCall call = Of(CanvasOp::SetFontName);
        call.text = name;
        return call;
    }
    static CanvasCall FontHeight(std::int32_t height)
    {
        CanvasCall call = Of(CanvasOp::SetFontHeight);
        call.value = height;
        return call;
    }
    static CanvasCall PenColor(Rgb color)
    {
        CanvasCall call = Of(CanvasOp::SetPenColor);
        call.color = color;
        return call;
    }
    static CanvasCall PenWidth(std::int32_t width)
    {
        CanvasCall call = Of(CanvasOp::SetPenWidth);
        call.value = width;
        return call;
    }
    static CanvasCall Brush(BrushStyle style)
    {
        CanvasCall call = Of(CanvasOp::SetBrushStyle);
        call.style = style;
        return call;
    }
    static CanvasCall BrushColor(Rgb color)
    {
        CanvasCall call = Of(CanvasOp::SetBrushColor);
        call.color = color;
        return call;
    }
    static CanvasCall Rect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
    {
        CanvasCall call = Of(CanvasOp::Rectangle);
        call.x = x1;
        call.y = y1;
        call.x2 = x2;
        call.y2 = y2;
        return call;
    }
    static CanvasCall Move(std::int32_t x, std::int32_t y)
    {
        CanvasCall call = Of(CanvasOp::MoveTo);
        call.x = x;
        call.y = y;
        return call;
    }
    static CanvasCall Line(std::int32_t x, std::int32_t y)
    {
        CanvasCall call = Of(CanvasOp::LineTo);
        call.x = x;
        call.y = y;
        return call;
    }

private:
    static CanvasCall Of(CanvasOp op)
    {
        CanvasCall call;
        call.op = op;
        return call;
    }
};

inline const char* OpName(CanvasOp op)
{
    switch (op) {
        case CanvasOp::TextOut: return "TextOut";
        case CanvasOp::TextWidth: return "TextWidth";
        case CanvasOp::TextHeight: return "TextHeight";
        case CanvasOp::SetFontName: return "SetFontName";
        case CanvasOp::SetFontHeight: return "SetFontHeight";
        case CanvasOp::SetPenColor: return "SetPenColor";
        case CanvasOp::SetPenWidth: return "SetPenWidth";
        case CanvasOp::SetBrushStyle: return "SetBrushStyle";
        case CanvasOp::SetBrushColor: return "SetBrushColor";
        case CanvasOp::Rectangle: return "Rectangle";
        case CanvasOp::MoveTo: return "MoveTo";
        case CanvasOp::LineTo: return "LineTo";
    }
    return "?";
}

// Readable failure messages in GoogleTest (found by argument-dependent lookup).
inline std::ostream& operator<<(std::ostream& out, const CanvasCall& call)
{
    out << OpName(call.op) << '(';
    switch (call.op) {
        case CanvasOp::TextOut: out << call.x << ", " << call.y << ", \"" << call.text << '"'; break;
        case CanvasOp::TextWidth:
        case CanvasOp::TextHeight: out << '"' << call.text << "\") -> " << call.value; return out;
        case CanvasOp::SetFontName: out << '"' << call.text << '"'; break;
        case CanvasOp::SetFontHeight:
        case CanvasOp::SetPenWidth: out << call.value; break;
        case CanvasOp::SetPenColor:
        case CanvasOp::SetBrushColor:
            out << int{call.color.r} << ", " << int{call.color.g} << ", " << int{call.color.b};
            break;
        case CanvasOp::SetBrushStyle: out << (call.style == BrushStyle::Solid ? "Solid" : "Clear"); break;
        case CanvasOp::Rectangle:
            out << call.x << ", " << call.y << ", " << call.x2 << ", " << call.y2;
            break;
        case CanvasOp::MoveTo:
        case CanvasOp::LineTo: out << call.x << ", " << call.y; break;
    }
    return out << ')';
}

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas() = default;
    RecordingCanvas(std::int32_t narrowWidth, std::int32_t wideWidth)
        : narrowWidth_(narrowWidth), wideWidth_(wideWidth)
    {
    }

    // Runs before each call is recorded, with the call; lets a test look at
    // other state (say, a table being drawn) at that moment.
    std::function<void(const CanvasCall&)> beforeEachCall;

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override
    {
        Record(CanvasCall::Text(x, y, text));
    }
    std::int32_t TextWidth(std::string_view text) override
    {
        const std::int32_t width = Measure(text);
        Record(CanvasCall::Width(text, width));
        return width;
    }
    std::int32_t TextHeight(std::string_view text) override
    {
        Record(CanvasCall::Height(text, fontHeight_));
        return fontHeight_;
    }
    void SetFontName(std::string_view name) override
    {
        Record(CanvasCall::FontName(name));
        fontName_ = name;
    }
    void SetFontHeight(std::int32_t height) override
    {
        Record(CanvasCall::FontHeight(height));
        fontHeight_ = height;
    }
    void SetPenColor(Rgb color) override
    {
        Record(CanvasCall::PenColor(color));
        penColor_ = color;
    }
    void SetPenWidth(std::int32_t width) override
    {
        Record(CanvasCall::PenWidth(width));
        if (width >= 0) penWidth_ = width;
    }
    void SetBrushStyle(BrushStyle style) override
    {
        Record(CanvasCall::Brush(style));
        brushStyle_ = style;
    }
    void SetBrushColor(Rgb color) override
    {
        Record(CanvasCall::BrushColor(color));
        brushColor_ = color;
    }
    void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override
    {
        Record(CanvasCall::Rect(x1, y1, x2, y2));
    }
    void MoveTo(std::int32_t x, std::int32_t y) override
    {
        Record(CanvasCall::Move(x, y));
        currentX_ = x;
        currentY_ = y;
    }
    void LineTo(std::int32_t x, std::int32_t y) override
    {
        Record(CanvasCall::Line(x, y));
        currentX_ = x;
        currentY_ = y;
    }

    const std::vector<CanvasCall>& calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }

    // The recorded calls of one kind, in order.
    std::vector<CanvasCall> CallsOf(CanvasOp op) const
    {
        std::vector<CanvasCall> found;
        for (const CanvasCall& call : calls_) {
            if (call.op == op) found.push_back(call);
        }
        return found;
    }

    const std::string& fontName() const { return fontName_; }
    std::int32_t fontHeight() const { return fontHeight_; }
    Rgb penColor() const { return penColor_; }
    std::int32_t penWidth() const { return penWidth_; }
    BrushStyle brushStyle() const { return brushStyle_; }
    Rgb brushColor() const { return brushColor_; }
    std::int32_t currentX() const { return currentX_; }
    std::int32_t currentY() const { return currentY_; }

    // The width this canvas gives text, without recording a call.
    std::int32_t Measure(std::string_view text) const
    {
        std::uint32_t width = 0;
        for (const char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte < 0x80) {
                width += static_cast<std::uint32_t>(narrowWidth_);
            } else if (byte >= 0xC0) {
                width += static_cast<std::uint32_t>(wideWidth_);
            }
        }
        return static_cast<std::int32_t>(width);
    }

private:
    void Record(CanvasCall call)
    {
        if (beforeEachCall) beforeEachCall(call);
        calls_.push_back(std::move(call));
    }

    std::int32_t narrowWidth_ = 7;
    std::int32_t wideWidth_ = 14;
    std::vector<CanvasCall> calls_;

    std::string fontName_;
    std::int32_t fontHeight_ = 0;
    Rgb penColor_ = kBlack;
    std::int32_t penWidth_ = 1;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Rgb brushColor_ = kWhite;
    std::int32_t currentX_ = 0;
    std::int32_t currentY_ = 0;
};

}  // namespace tavrimo::testing
