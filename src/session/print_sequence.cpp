#include "session/print_sequence.h"

#include "render/sheet_layout.h"

namespace tavrimo {

std::vector<Sheet> SheetsOf(PrintCommand command, const Sheet& set, std::string_view questionText)
{
    std::vector<bool> answerSheets;
    switch (command) {
        case PrintCommand::Problems: answerSheets = {false}; break;
        case PrintCommand::ProblemsAndAnswers: answerSheets = {false, true}; break;
        case PrintCommand::Answers: answerSheets = {true}; break;
    }
    std::vector<Sheet> sheets;
    for (const bool answers : answerSheets) {
        Sheet sheet = set;
        sheet.ShowAnswers = answers;
        sheet.QuestionText = questionText;
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

PrinterFault PrintSheets(SheetPrinter& printer, const std::vector<Sheet>& sheets)
{
    if (const PrinterFault fault = printer.SetPortrait(); fault != PrinterFault::None) return fault;
    const std::int32_t height = printer.PageHeight();
    const std::int32_t width = printer.PageWidth();
    for (const Sheet& sheet : sheets) {
        const PrintJob job{kDocumentTitle, sheet.PrintNumber, sheet.ShowAnswers};
        if (const PrinterFault fault = printer.BeginJob(job); fault != PrinterFault::None) return fault;
        Sheet copy = sheet;
        DrawSheet(printer.JobCanvas(), width, height, copy);
        if (const PrinterFault fault = printer.EndJob(); fault != PrinterFault::None) return fault;
    }
    return PrinterFault::None;
}

}  // namespace tavrimo
