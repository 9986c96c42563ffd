#pragma once

#include <QByteArray>
#include <QPainter>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "runtime/qt/qpainter_canvas.h"
#include "runtime/sheet_printer.h"

class QBuffer;
class QPdfWriter;
class QPrinter;

namespace tavrimo {

// The system printer through Qt PrintSupport (CUPS on Linux), at the
// printer's full resolution. The QPrinter is made on first use, so starting
// the program costs nothing; it then lives for the whole run and keeps what
// the print dialog chose. When the dialog chose a PDF file, each job is
// drawn, with the printer's page and resolution, into a PDF in memory, then
// written to a file of its own (JobFilePath) under a temporary name and
// renamed once written whole; the chosen name stays the printer's, so the
// next job derives its name from it again.
class QtSheetPrinter final : public SheetPrinter {
public:
    QtSheetPrinter();
    ~QtSheetPrinter() override;

    PrinterFault SetPortrait() override;
    std::int32_t PageWidth() override;
    std::int32_t PageHeight() override;
    PrinterFault BeginJob(const PrintJob& job) override;
    Canvas& JobCanvas() override;
    PrinterFault NewPage() override;
    PrinterFault EndJob() override;
    PrinterFaultDetail FaultDetail() const override { return detail_; }
    // The dialog works on a copy of the printer, which replaces it on OK.
    void SetupDialog() override;

    QPrinter& device();

private:
    bool PrintsToFile();
    PrinterFault CheckPrinter();
    PrinterFault BeginFileJob(const PrintJob& job);
    PrinterFault EndFileJob(bool painted);
    PrinterFault WriteJobFile(const QString& path, const QByteArray& pdf);
    PrinterFault Fault(PrinterFault fault, const QString& target = {}, const QString& reason = {});
    PrinterFault FileFault(const QString& path, const QString& reason);

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    std::optional<QPainterCanvas> canvas_;
    // A job going to a file: the file's name, and the PDF drawn in memory.
    QString jobFile_;
    QByteArray pdf_;
    std::unique_ptr<QBuffer> buffer_;
    std::unique_ptr<QPdfWriter> writer_;
    PrinterFaultDetail detail_;
};

}  // namespace tavrimo
