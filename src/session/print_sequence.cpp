#include "session/print_sequence.h"

#include "problems/question_text.h"
#include "render/sheet_layout.h"
#include "render/worked_answer_layout.h"

namespace tavrimo {
namespace {

std::vector<bool> AnswerSheetsOf(PrintCommand command)
{
    switch (command) {
        case PrintCommand::Problems: return {false};
        case PrintCommand::ProblemsAndAnswers: return {false, true};
        case PrintCommand::Answers: return {true};
    }
    return {};
}

void AddPages(PlannedJob& job, const Sheet& sheet)
{
    if (job.pages.empty()) job.job = {kDocumentTitle, sheet.PrintNumber, sheet.ShowAnswers};
    for (int page = 0; page < PageCount(sheet); ++page) job.pages.push_back({sheet, page});
}

}  // namespace

bool IsPrintCommand(PrintCommand command)
{
    return command == PrintCommand::Problems || command == PrintCommand::ProblemsAndAnswers ||
           command == PrintCommand::Answers;
}

SheetLook LookOf(const SettingsBoxes& boxes)
{
    SheetLook look;
    look.QuestionText = boxes.QstSentence;
    look.ClassHeader = boxes.classHeader == 1;
    look.ProblemNumbers = boxes.problemNumbers == 1;
    look.ShowWorking = boxes.steps == 1;
    look.Method = boxes.method == 1 ? WorkingMethod::Improper : WorkingMethod::Borrow;
    look.Stacks = boxes.collate == 1;
    return look;
}

void ApplyLook(Sheet& sheet, const SheetLook& look)
{
    sheet.QuestionText = SheetQuestionText(look.QuestionText);
    sheet.ClassHeader = look.ClassHeader;
    sheet.ProblemNumbers = look.ProblemNumbers;
    sheet.ShowWorking = look.ShowWorking;
    sheet.Method = look.Method;
}

std::vector<Sheet> SheetsOf(PrintCommand command, const Sheet& set, const SheetLook& look)
{
    std::vector<Sheet> sheets;
    for (const bool answers : AnswerSheetsOf(command)) {
        Sheet sheet = set;
        sheet.ShowAnswers = answers;
        ApplyLook(sheet, look);
        sheets.push_back(std::move(sheet));
    }
    return sheets;
}

std::vector<PlannedJob> PlanJobs(PrintCommand command, const std::vector<Sheet>& sets, const SheetLook& look)
{
    std::vector<PlannedJob> jobs;
    if (sets.size() == 1) {
        for (const Sheet& sheet : SheetsOf(command, sets.front(), look)) AddPages(jobs.emplace_back(), sheet);
        return jobs;
    }
    const std::size_t stacks = look.Stacks ? AnswerSheetsOf(command).size() : 1;
    jobs.resize(stacks);
    for (const Sheet& set : sets) {
        const std::vector<Sheet> sheets = SheetsOf(command, set, look);
        for (std::size_t i = 0; i < sheets.size(); ++i) AddPages(jobs[stacks == 1 ? 0 : i], sheets[i]);
    }
    return jobs;
}

namespace {

bool Worked(const Sheet& sheet)
{
    return sheet.ShowAnswers && sheet.ShowWorking;
}

}  // namespace

int PageCount(const Sheet& sheet)
{
    return Worked(sheet) ? WorkedAnswerPageCount(sheet.QuestionCount) : 1;
}

void DrawPage(Canvas& canvas, std::int32_t width, std::int32_t height, Sheet& sheet, int page)
{
    if (Worked(sheet)) {
        DrawWorkedAnswerPage(canvas, width, height, sheet, sheet.Method, page);
        return;
    }
    DrawSheet(canvas, width, height, sheet);
}

PrinterFault PrintJobs(SheetPrinter& printer, const std::vector<PlannedJob>& jobs)
{
    if (const PrinterFault fault = printer.SetPortrait(); fault != PrinterFault::None) return fault;
    const std::int32_t height = printer.PageHeight();
    const std::int32_t width = printer.PageWidth();
    for (const PlannedJob& job : jobs) {
        if (const PrinterFault fault = printer.BeginJob(job.job); fault != PrinterFault::None) return fault;
        for (std::size_t i = 0; i < job.pages.size(); ++i) {
            if (i > 0) {
                if (const PrinterFault fault = printer.NewPage(); fault != PrinterFault::None) return fault;
            }
            Sheet copy = job.pages[i].sheet;  // the answers drawn never touch the caller's table
            DrawPage(printer.JobCanvas(), width, height, copy, job.pages[i].page);
        }
        if (const PrinterFault fault = printer.EndJob(); fault != PrinterFault::None) return fault;
    }
    return PrinterFault::None;
}

}  // namespace tavrimo
