#include "session/worksheet_session.h"

#include "problems/answer.h"
#include "problems/box_integer.h"
#include "problems/integer_math.h"
#include "problems/question_text.h"
#include "render/sheet_layout.h"

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
    more_.clear();
    shown_ = 0;
    // The further sets of a class set, each as one more click would make it.
    for (int k = 1; k < boxes.sheets && outcome.status == AssemblyStatus::Complete; ++k) {
        Sheet next;
        ProblemKeys keys{};
        outcome.status = AssembleProblemSet(boxes, source_, next, keys).status;
        more_.push_back(std::move(next));
    }
    if (outcome.status == AssemblyStatus::Short) outcome.message = kShortSetWarning;
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
    sheet_.PrintNumber = WrapAdd(sheet_.PrintNumber, SetCount());
}

void WorksheetSession::ShowSet(int index)
{
    if (index >= 0 && index < SetCount()) shown_ = index;
}

std::vector<Sheet> WorksheetSession::Sets() const
{
    std::vector<Sheet> sets{sheet_};
    sets.insert(sets.end(), more_.begin(), more_.end());
    // Set k carries the number after set k - 1's, as its print would.
    for (std::size_t k = 0; k < sets.size(); ++k) {
        sets[k].PrintNumber = WrapAdd(sheet_.PrintNumber, static_cast<std::int32_t>(k));
    }
    return sets;
}

const Sheet& WorksheetSession::Shown() const
{
    return shown_ == 0 ? sheet_ : more_.at(static_cast<std::size_t>(shown_ - 1));
}

bool WorksheetSession::PaintPreview(Canvas& canvas, const SheetLook& look)
{
    if (PreviewReady_ != 1 || sheet_.QuestionCount <= 0) return false;
    // Drawn from the set itself, which takes the answers the drawing computes.
    Sheet& shown = shown_ == 0 ? sheet_ : more_.at(static_cast<std::size_t>(shown_ - 1));
    shown.PrintNumber = WrapAdd(sheet_.PrintNumber, shown_);
    ApplyLook(shown, look);
    shown.ShowAnswers = true;
    drawing_ = true;
    DrawPage(canvas, kReferenceWidth, kReferenceHeight, shown, 0);
    drawing_ = false;
    shown.ShowAnswers = false;
    return true;
}

std::vector<PlannedJob> WorksheetSession::JobsFor(PrintCommand command, const SheetLook& look) const
{
    return PlanJobs(command, Sets(), look);
}

std::vector<Sheet> WorksheetSession::SheetsFor(PrintCommand command, const SheetLook& look) const
{
    Sheet shown = Shown();
    shown.PrintNumber = WrapAdd(sheet_.PrintNumber, shown_);
    return SheetsOf(command, shown, look);
}

bool WorksheetSession::QuestionFits(Canvas& measure, std::string_view questionText) const
{
    return tavrimo::QuestionFits(measure, kReferenceWidth, kReferenceHeight, SheetQuestionText(questionText));
}

PrintOutcome WorksheetSession::Print(PrintCommand command, std::string_view numberText, const SheetLook& look,
                                     SheetPrinter& printer)
{
    if (!IsPrintCommand(command)) {
        return {false, WithClosingPeriod("印刷の指示「" + std::to_string(static_cast<int>(command)) +
                                         "」はありません")};
    }
    // Read again, so that a number typed after the preview is used.
    const auto number = ParseBoxInteger(numberText);
    if (!number) return {false, WithClosingPeriod(NotAnIntegerMessage(numberText))};
    sheet_.PrintNumber = *number;

    if (const PrinterFault fault = PrintJobs(printer, JobsFor(command, look)); fault != PrinterFault::None) {
        return {false, WithClosingPeriod(PrinterFaultMessage(fault, printer.FaultDetail()))};
    }
    AdvancePrintNumber();
    return {true, {}};
}

ProblemTable WorksheetSession::AnsweredTable() const
{
    const Sheet& shown = Shown();
    ProblemTable table = shown.table;
    for (std::int32_t i = 1; i <= shown.QuestionCount && i <= kMaxProblems; ++i) CalcAnswer(table, i, "-");
    return table;
}

}  // namespace tavrimo
