#pragma once

#include <QPainter>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "runtime/qt/qpainter_canvas.h"
#include "runtime/sheet_printer.h"

class QPrinter;

namespace tavrimo {

// The system printer through Qt PrintSupport (CUPS on Linux), at the
// printer's full resolution. The QPrinter is made on first use, so starting
// the program costs nothing; it then lives for the whole run and keeps what
// the print dialog chose. When the dialog chose a PDF file, each job is
// written to a file of its own (JobFilePath) and the chosen name stays the
// printer's, so the next job derives its name from it again.
class QtSheetPrinter final : public SheetPrinter {
public:
    QtSheetPrinter();
    ~QtSheetPrinter() override;

    PrinterFault SetPortrait() override;
    std::int32_t PageWidth() override;
    std::int32_t PageHeight() override;
    PrinterFault BeginJob(const PrintJob& job) override;
    Canvas& JobCanvas() override;
    PrinterFault EndJob() override;
    void SetupDialog() override;

    QPrinter& device();

private:
    bool PrintsToFile();
    PrinterFault CheckPrinter();
    void RestoreChosenFile();

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::optional<QPainterCanvas> canvas_;
    // The file the user chose while a job writes to its own file; empty otherwise.
    QString chosenFile_;
};

}  // namespace tavrimo
