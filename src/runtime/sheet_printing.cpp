#include "runtime/sheet_printing.h"

#include "render/sheet_layout.h"

namespace tavrimo {

PrinterFault PrintSheetPages(SheetPrinter& printer, const std::vector<SheetPage>& pages)
{
    if (const PrinterFault fault = printer.SetPortrait(); fault != PrinterFault::None) return fault;
    const std::int32_t height = printer.PageHeight();
    const std::int32_t width = printer.PageWidth();
    for (const SheetPage& page : pages) {
        const PrintJob job{kDocumentTitle, page.PrintNumber, page.ShowAnswers};
        if (const PrinterFault fault = printer.BeginJob(job); fault != PrinterFault::None) return fault;
        ProblemTable table = page.table;  // drawing the answers writes them into the table
        DrawSheet(printer.JobCanvas(), width, height, table,
                  SheetView{page.QuestionCount, page.PrintNumber, page.ShowAnswers, page.QuestionText});
        if (const PrinterFault fault = printer.EndJob(); fault != PrinterFault::None) return fault;
    }
    return PrinterFault::None;
}

}  // namespace tavrimo
