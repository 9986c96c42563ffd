#include "runtime/qt/qt_sheet_printer.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "runtime/qt/job_files.h"

namespace tavrimo {

QtSheetPrinter::QtSheetPrinter() = default;

QtSheetPrinter::~QtSheetPrinter()
{
    // A job can only be open here if a command was cut short; finish it.
    canvas_.reset();
    if (painter_.isActive()) painter_.end();
}

QPrinter& QtSheetPrinter::device()
{
    if (printer_ == nullptr) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool QtSheetPrinter::PrintsToFile()
{
    QPrinter& printer = device();
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

PrinterFault QtSheetPrinter::CheckPrinter()
{
    if (PrintsToFile()) return PrinterFault::None;
    QPrinter& printer = device();
    // With no printer installed Qt falls back to PDF output without a file.
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty()) {
        return PrinterFault::NoDefaultPrinter;
    }
    if (!printer.isValid() || QPrinterInfo::printerInfo(printer.printerName()).isNull()) {
        return PrinterFault::UnsupportedFeature;
    }
    return PrinterFault::None;
}

PrinterFault QtSheetPrinter::SetPortrait()
{
    if (painter_.isActive()) return PrinterFault::AlreadyPrinting;
    if (const PrinterFault fault = CheckPrinter(); fault != PrinterFault::None) return fault;
    device().setPageOrientation(QPageLayout::Portrait);
    return PrinterFault::None;
}

std::int32_t QtSheetPrinter::PageWidth()
{
    QPrinter& printer = device();
    return printer.pageLayout().paintRectPixels(printer.resolution()).width();
}

std::int32_t QtSheetPrinter::PageHeight()
{
    QPrinter& printer = device();
    return printer.pageLayout().paintRectPixels(printer.resolution()).height();
}

PrinterFault QtSheetPrinter::BeginJob(const PrintJob& job)
{
    if (painter_.isActive()) return PrinterFault::AlreadyPrinting;
    if (const PrinterFault fault = CheckPrinter(); fault != PrinterFault::None) return fault;

    QPrinter& printer = device();
    printer.setDocName(QString::fromStdString(job.title));
    printer.setCreator(QStringLiteral("Tavrimo"));
    if (PrintsToFile()) {
        chosenFile_ = printer.outputFileName();
        printer.setOutputFileName(JobFilePath(chosenFile_, job.sheetNumber, job.answerSheet));
    }
    if (!painter_.begin(&printer)) {
        RestoreChosenFile();
        return PrinterFault::NotReady;
    }
    canvas_.emplace(painter_);
    return PrinterFault::None;
}

Canvas& QtSheetPrinter::JobCanvas()
{
    return *canvas_;
}

PrinterFault QtSheetPrinter::EndJob()
{
    if (!painter_.isActive()) return PrinterFault::NotReady;
    canvas_.reset();
    const bool ended = painter_.end();
    RestoreChosenFile();
    return ended ? PrinterFault::None : PrinterFault::NotReady;
}

void QtSheetPrinter::RestoreChosenFile()
{
    if (chosenFile_.isEmpty()) return;
    device().setOutputFileName(chosenFile_);
    chosenFile_.clear();
}

void QtSheetPrinter::SetupDialog()
{
    QPrintDialog dialog(&device(), QApplication::activeWindow());
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

}  // namespace tavrimo
