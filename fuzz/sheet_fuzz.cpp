// Any box texts, options and seed, through the whole road of a preview and
// a print: assembly, answers, and the sheet drawn on a recording canvas at
// the preview's size and at any size.
#include <cstdint>
#include <string>
#include <tuple>

#include "fuzz_input.h"
#include "problems/answer.h"
#include "problems/problem_set.h"
#include "rational.h"
#include "recording_canvas.h"
#include "render/sheet_layout.h"
#include "session/worksheet_session.h"

using namespace tavrimo;
using tavrimo::fuzz::Require;

namespace {

// A printer that takes every job onto one recording canvas.
class CanvasPrinter final : public SheetPrinter {
public:
    PrinterFault SetPortrait() override { return PrinterFault::None; }
    std::int32_t PageWidth() override { return 4960; }
    std::int32_t PageHeight() override { return 7016; }
    PrinterFault BeginJob(const PrintJob&) override { return PrinterFault::None; }
    Canvas& JobCanvas() override { return canvas_; }
    PrinterFault NewPage() override { return PrinterFault::None; }
    PrinterFault EndJob() override { return PrinterFault::None; }
    void SetupDialog() override {}

private:
    testing::RecordingCanvas canvas_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    std::string question = SettingsBoxes{}.QstSentence;
    std::uint8_t moreFlags = 0;
    const SettingsBoxes boxes = fuzz::ReadBoxes(input, &question, &moreFlags);
    const bool showAnswers = moreFlags & 1;
    RandomSource source(input.Word());
    const auto width = static_cast<std::int32_t>(input.Word());
    const auto height = static_cast<std::int32_t>(input.Word());

    // What an earlier set left in the table.
    Sheet state;
    ProblemTable& table = state.table;
    ProblemKeys keys{};
    AssembleProblemSet({}, source, state, keys);

    const AssemblyOutcome outcome = AssembleProblemSet(boxes, source, state, keys);
    Require(state.QuestionCount >= 0 && state.QuestionCount <= kMaxProblems);
    Require(outcome.status != AssemblyStatus::Refused || !outcome.message.empty());
    for (std::int32_t i = 1; i <= state.QuestionCount; ++i) {
        CalcAnswer(table, i, "-");
        if (outcome.status == AssemblyStatus::Refused) continue;
        // A set that was made holds proper problems with exact answers.
        const MixedNumber& a = table.Minuend[i];
        const MixedNumber& b = table.Subtrahend[i];
        Require(test::ValueOf(table.Answer[i]) == test::ValueOf(a) - test::ValueOf(b));
        Require(test::InLowestTerms(table.Answer[i]) && table.Answer[i].Whole >= 0);
        for (std::int32_t j = 1; j < i; ++j) Require(!(table.Minuend[j] == a && table.Subtrahend[j] == b));
    }

    // The session takes the same boxes and any command number at all.
    WorksheetSession session(source.seed());
    const PreviewOutcome preview = session.Preview(boxes);
    Require(session.QuestionCount() >= 0 && session.QuestionCount() <= kMaxProblems);
    Require((preview.status == AssemblyStatus::Refused) == (outcome.status == AssemblyStatus::Refused));
    CanvasPrinter printer;
    const auto command = static_cast<PrintCommand>(static_cast<int>(input.Word()));
    SheetLook look = LookOf(boxes);  // the header, numbers and working as the boxes say
    look.QuestionText = question;
    const PrintOutcome printed = session.Print(command, boxes.PrnNum, look, printer);
    Require(printed.printed || !printed.message.empty());

    for (const auto& [w, h, answers] :
         {std::tuple{kReferenceWidth, kReferenceHeight, true}, std::tuple{width, height, showAnswers}}) {
        testing::RecordingCanvas canvas;
        state.ShowAnswers = answers;
        state.QuestionText = question;
        DrawSheet(canvas, w, h, state);
        for (const testing::CanvasCall& call : canvas.CallsOf(testing::CanvasOp::SetFontHeight)) {
            Require(call.value > 0);
        }
    }
    return 0;
}
