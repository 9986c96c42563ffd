#include "session/worksheet_session.h"

#include "problems/answer.h"
#include "problems/box_integer.h"
#include "problems/integer_math.h"
#include "problems/question_text.h"
#include "render/sheet_layout.h"
#include "session/print_sequence.h"

namespace tavrimo {
namespace {

// More problems than this and the preview is drawn and printing allowed.
constexpr std::int32_t kFewestPreviewed = 2;

}  // namespace

WorksheetSession::WorksheetSession(std::uint32_t seed) : source_(seed) {}

PreviewOutcome WorksheetSession::Preview(const SettingsBoxes& boxes)
{
    const AssemblyOutcome assembly = AssembleProblemSet(boxes, source_, sheet_, keys_);
    PreviewOutcome outcome{assembly.status, assembly.message, false};
    if (assembly.status == AssemblyStatus::Refused) return outcome;
    if (assembly.status == AssemblyStatus::Short) outcome.message = kShortSetWarning;
    if (sheet_.QuestionCount > kFewestPreviewed) PreviewReady_ = 1;
    outcome.previewReady = sheet_.QuestionCount > kFewestPreviewed;
    return outcome;
}

void WorksheetSession::ReadPrintNumber(std::string_view numberText)
{
    if (const auto number = ParseBoxInteger(numberText)) sheet_.PrintNumber = *number;
}

void WorksheetSession::AdvancePrintNumber()
{
    sheet_.PrintNumber = WrapAdd(sheet_.PrintNumber, 1);
}

bool WorksheetSession::PaintPreview(Canvas& canvas, std::string_view questionText)
{
    if (PreviewReady_ != 1 || sheet_.QuestionCount <= 0) return false;
    sheet_.QuestionText = SheetQuestionText(questionText);
    sheet_.ShowAnswers = true;
    DrawSheet(canvas, kReferenceWidth, kReferenceHeight, sheet_);
    sheet_.ShowAnswers = false;
    return true;
}

std::vector<Sheet> WorksheetSession::SheetsFor(PrintCommand command, std::string_view questionText) const
{
    return SheetsOf(command, sheet_, SheetQuestionText(questionText));
}

bool WorksheetSession::QuestionFits(Canvas& measure, std::string_view questionText) const
{
    return tavrimo::QuestionFits(measure, kReferenceWidth, kReferenceHeight, SheetQuestionText(questionText));
}

PrintOutcome WorksheetSession::Print(PrintCommand command, std::string_view numberText,
                                     std::string_view questionText, SheetPrinter& printer)
{
    if (command != PrintCommand::Problems && command != PrintCommand::ProblemsAndAnswers &&
        command != PrintCommand::Answers) {
        return {false, WithClosingPeriod("印刷の指示「" + std::to_string(static_cast<int>(command)) +
                                         "」はありません")};
    }
    // Read again, so that a number typed after the preview is used.
    const auto number = ParseBoxInteger(numberText);
    if (!number) return {false, WithClosingPeriod(NotAnIntegerMessage(numberText))};
    sheet_.PrintNumber = *number;

    if (const PrinterFault fault = PrintSheets(printer, SheetsFor(command, questionText));
        fault != PrinterFault::None) {
        return {false, WithClosingPeriod(PrinterFaultMessage(fault, printer.FaultDetail()))};
    }
    AdvancePrintNumber();
    return {true, {}};
}

ProblemTable WorksheetSession::AnsweredTable() const
{
    ProblemTable table = sheet_.table;
    for (std::int32_t i = 1; i <= sheet_.QuestionCount && i <= kMaxProblems; ++i) CalcAnswer(table, i, "-");
    return table;
}

}  // namespace tavrimo
