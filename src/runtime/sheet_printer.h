#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/canvas.h"

namespace tavrimo {

// What can go wrong on the printer; each has its fixed message for the error
// report.
enum class PrinterFault {
    None,
    NoDefaultPrinter,    // no printer installed, none chosen
    SpoolerUnreachable,  // the print spooler does not answer, so no printer is known
    UnsupportedFeature,  // the chosen printer cannot be driven
    AlreadyPrinting,     // orientation set or a job begun while a job is open
    NotReady,            // a job ended that was not begun, or it could not start
    Refused,             // the spooler did not take the job, or the printer takes none now
    FileNotWritten,      // a job's file could not be written whole
    FolderMissing,       // the folder of the chosen file is gone
};

// What the message of a fault names, for the faults that name something: the
// printer, file or folder, and the reason in the spooler's or the system's
// own words.
struct PrinterFaultDetail {
    std::string target;
    std::string reason;
};

// The fault's message; without the detail, the general form of it.
std::string_view PrinterFaultMessage(PrinterFault fault);
std::string PrinterFaultMessage(PrinterFault fault, const PrinterFaultDetail& detail);

// One print job: the pages of one sheet, or of a class set's sheets.
struct PrintJob {
    std::string title;
    std::int32_t sheetNumber = 0;  // of its first sheet
    bool answerSheet = false;      // its first sheet is an answer sheet; names the job's file
};

// The printer the print commands drive: one object for the program's run,
// whose choice of printer and settings persist from one command to the next.
class SheetPrinter {
public:
    virtual ~SheetPrinter() = default;

    // The next jobs print portrait.
    [[nodiscard]] virtual PrinterFault SetPortrait() = 0;
    // The printable area of the page, in device pixels.
    virtual std::int32_t PageWidth() = 0;
    virtual std::int32_t PageHeight() = 0;

    // Opens a job at its first page; JobCanvas() draws on the current page
    // until NewPage() or EndJob().
    [[nodiscard]] virtual PrinterFault BeginJob(const PrintJob& job) = 0;
    virtual Canvas& JobCanvas() = 0;
    [[nodiscard]] virtual PrinterFault NewPage() = 0;
    [[nodiscard]] virtual PrinterFault EndJob() = 0;
    // What the last fault returned names; empty for a printer whose faults
    // name nothing.
    virtual PrinterFaultDetail FaultDetail() const { return {}; }

    // The system's printer dialog; on OK its choice becomes the printer of
    // all later jobs, on cancel nothing changes.
    virtual void SetupDialog() = 0;
};

}  // namespace tavrimo
