#pragma once

#include <string>
#include <vector>

#include "render/recording_canvas.h"
#include "runtime/sheet_printer.h"

namespace tavrimo::testing {

// A printer that records every call and draws each job on a recording canvas.
class RecordingPrinter final : public SheetPrinter {
public:
    struct Job {
        PrintJob job;
        std::vector<RecordingCanvas> pages;
    };
    std::vector<std::string> log;  // every call, in order
    std::vector<Job> jobs;         // the jobs begun
    std::int32_t width = 2480, height = 3508;
    PrinterFault portraitFault{}, beginFault{}, endFault{};  // returned, to play faults
    PrinterFaultDetail detail;                               // what the faults name

    PrinterFault SetPortrait() override { return log.push_back("SetPortrait"), portraitFault; }
    std::int32_t PageWidth() override { return log.push_back("PageWidth"), width; }
    std::int32_t PageHeight() override { return log.push_back("PageHeight"), height; }
    PrinterFault BeginJob(const PrintJob& job) override
    {
        if (beginFault == PrinterFault::None) jobs.push_back({job, {RecordingCanvas()}});
        return log.push_back("BeginJob"), beginFault;
    }
    Canvas& JobCanvas() override { return jobs.back().pages.back(); }
    PrinterFault NewPage() override
    {
        jobs.back().pages.emplace_back();
        return log.push_back("NewPage"), PrinterFault::None;
    }
    PrinterFault EndJob() override { return log.push_back("EndJob"), endFault; }
    PrinterFaultDetail FaultDetail() const override { return detail; }
    void SetupDialog() override { log.push_back("SetupDialog"); }
};

}  // namespace tavrimo::testing
