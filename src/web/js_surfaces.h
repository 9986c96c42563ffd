#pragma once

// The core's drawing surface and printer seen from JS: every call goes to a
// JS object, synchronously, measurement included.

#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/canvas.h"
#include "runtime/sheet_printer.h"

namespace tavrimo {

using emscripten::val;

inline std::string Text(std::string_view s)
{
    return std::string(s);
}

// A Canvas whose every call goes to a JS object: textOut, textWidth,
// textHeight, setFontName, setFontHeight, setPenColor(r, g, b), setPenWidth,
// setBrushStyle("solid" | "clear"), setBrushColor(r, g, b), rectangle,
// moveTo, lineTo.
class JsCanvas final : public Canvas {
public:
    explicit JsCanvas(val target) : target_(std::move(target)) {}

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override
    {
        target_.call<void>("textOut", x, y, Text(text));
    }
    std::int32_t TextWidth(std::string_view text) override
    {
        return target_.call<std::int32_t>("textWidth", Text(text));
    }
    std::int32_t TextHeight(std::string_view text) override
    {
        return target_.call<std::int32_t>("textHeight", Text(text));
    }
    void SetFontName(std::string_view name) override { target_.call<void>("setFontName", Text(name)); }
    void SetFontHeight(std::int32_t height) override { target_.call<void>("setFontHeight", height); }
    void SetPenColor(Rgb c) override { target_.call<void>("setPenColor", c.r, c.g, c.b); }
    void SetPenWidth(std::int32_t width) override { target_.call<void>("setPenWidth", width); }
    void SetBrushStyle(BrushStyle style) override
    {
        target_.call<void>("setBrushStyle", std::string(style == BrushStyle::Solid ? "solid" : "clear"));
    }
    void SetBrushColor(Rgb c) override { target_.call<void>("setBrushColor", c.r, c.g, c.b); }
    void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override
    {
        target_.call<void>("rectangle", x1, y1, x2, y2);
    }
    void MoveTo(std::int32_t x, std::int32_t y) override { target_.call<void>("moveTo", x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override { target_.call<void>("lineTo", x, y); }

private:
    val target_;
};

// The browser's printing seen as a SheetPrinter: the JS object collects the
// pages (pageWidth, pageHeight, beginJob(title, number, answers) and newPage()
// each returning a page's canvas object, endJob). The browser has no printer
// faults to report before its own print dialog.
class JsPrinter final : public SheetPrinter {
public:
    explicit JsPrinter(val pages) : pages_(std::move(pages)) {}

    PrinterFault SetPortrait() override { return PrinterFault::None; }
    std::int32_t PageWidth() override { return pages_.call<std::int32_t>("pageWidth"); }
    std::int32_t PageHeight() override { return pages_.call<std::int32_t>("pageHeight"); }
    PrinterFault BeginJob(const PrintJob& job) override
    {
        canvas_.emplace(pages_.call<val>("beginJob", job.title, job.sheetNumber, job.answerSheet));
        return PrinterFault::None;
    }
    Canvas& JobCanvas() override { return *canvas_; }
    PrinterFault NewPage() override
    {
        if (!canvas_) return PrinterFault::NotReady;
        canvas_.emplace(pages_.call<val>("newPage"));
        return PrinterFault::None;
    }
    PrinterFault EndJob() override
    {
        if (!canvas_) return PrinterFault::NotReady;
        pages_.call<void>("endJob");
        canvas_.reset();
        return PrinterFault::None;
    }
    void SetupDialog() override {}

private:
    val pages_;
    std::optional<JsCanvas> canvas_;
};

}  // namespace tavrimo
