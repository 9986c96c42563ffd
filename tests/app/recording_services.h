#pragma once

// Stand-ins for the window services and the printer that record what the
// window asks of them, so the handlers run without a person or a printer.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "render/recording_canvas.h"
#include "runtime/sheet_printer.h"
#include "runtime/window_services.h"

namespace tavrimo::testing {

class RecordingServices final : public WindowServices {
public:
    enum class Kind { Error, Warning, Beep };
    struct Event {
        Kind kind;
        std::string caption;  // warnings only
        std::string text;
        friend bool operator==(const Event&, const Event&) = default;
    };

    std::vector<Event> events;
    // Runs while a box is "open", as a modal loop lets the window repaint.
    std::function<void()> whileBoxOpen;

    void ReportError(std::string_view message) override
    {
        events.push_back({Kind::Error, {}, std::string(message)});
        if (whileBoxOpen) whileBoxOpen();
    }
    void ShowWarning(std::string_view caption, std::string_view text) override
    {
        events.push_back({Kind::Warning, std::string(caption), std::string(text)});
        if (whileBoxOpen) whileBoxOpen();
    }
    void Beep() override { events.push_back({Kind::Beep, {}, {}}); }
};

class RecordingPrinter final : public SheetPrinter {
public:
    struct Job {
        PrintJob job;
        std::vector<CanvasCall> calls;  // what was drawn on the page
    };

    std::vector<std::string> log;  // every call, in order
    std::vector<Job> jobs;         // the jobs ended
    std::int32_t width = 2480;
    std::int32_t height = 3508;
    // Returned by the call named, to play a printer error.
    PrinterFault portraitFault = PrinterFault::None;
    PrinterFault beginFault = PrinterFault::None;

    PrinterFault SetPortrait() override
    {
        log.push_back("SetPortrait");
        return portraitFault;
    }
    std::int32_t PageWidth() override
    {
        log.push_back("PageWidth");
        return width;
    }
    std::int32_t PageHeight() override
    {
        log.push_back("PageHeight");
        return height;
    }
    PrinterFault BeginJob(const PrintJob& job) override
    {
        log.push_back("BeginJob");
        if (beginFault != PrinterFault::None) return beginFault;
        open_ = true;
        current_ = {job, {}};
        canvas_ = RecordingCanvas();
        return PrinterFault::None;
    }
    Canvas& JobCanvas() override { return canvas_; }
    PrinterFault EndJob() override
    {
        log.push_back("EndJob");
        if (!open_) return PrinterFault::NotReady;
        open_ = false;
        current_.calls = canvas_.calls();
        jobs.push_back(current_);
        return PrinterFault::None;
    }
    void SetupDialog() override { log.push_back("SetupDialog"); }

private:
    bool open_ = false;
    Job current_;
    RecordingCanvas canvas_;
};

}  // namespace tavrimo::testing
