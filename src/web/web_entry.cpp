// The web page's way into the core: one WorksheetSession behind Embind. The
// page owns the controls, dialogs and printing; it hands the settings in and
// gets outcomes, drawings and lines of text back. Drawing goes to any JS
// object with the canvas methods of JsCanvas, measurement included,
// synchronously.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/problem_text.h"
#include "problems/working_steps.h"
#include "runtime/random_source.h"
#include "session/worksheet_session.h"
#include "web/js_surfaces.h"
#include "web/settings_bindings.h"

namespace tavrimo {
namespace {

using emscripten::val;

const char* StatusName(AssemblyStatus status)
{
    switch (status) {
        case AssemblyStatus::Complete: return "complete";
        case AssemblyStatus::Short: return "short";
        case AssemblyStatus::Refused: return "refused";
    }
    return "refused";
}

val NumberArray(const MixedNumber& m)
{
    val a = val::array();
    a.call<void>("push", m.Whole, m.Numerator, m.Denominator);
    return a;
}

val OutcomeToJs(const PrintOutcome& outcome)
{
    val result = val::object();
    result.set("printed", outcome.printed);
    result.set("message", outcome.message);
    return result;
}

class WebSession {
public:
    explicit WebSession(double seed)
        : session_(static_cast<std::uint32_t>(seed)), setSeed_(session_.source().seed())
    {
    }

    val Preview(const val& boxes)
    {
        const SettingsBoxes b = BoxesOf(boxes);
        const std::uint32_t seed = session_.source().seed();
        const PreviewOutcome outcome = session_.Preview(b);
        if (outcome.status != AssemblyStatus::Refused) setSeed_ = seed;

        val result = val::object();
        result.set("status", std::string(StatusName(outcome.status)));
        result.set("message", outcome.message);
        result.set("previewReady", outcome.previewReady);
        return result;
    }

    // boxes: the controls as they stand now; the sheet's look is read from them.
    bool PaintPreview(val canvas, const val& boxes)
    {
        JsCanvas c(std::move(canvas));
        return session_.PaintPreview(c, LookOf(BoxesOf(boxes)));
    }

    // command: 0 印刷, 1 印刷（答えつき）, 2 印刷（答えのみ）.
    // boxes: the controls as they stand now; the sheets' look is read from them.
    val Print(int command, const std::string& number, const val& boxes, val pages)
    {
        JsPrinter printer(std::move(pages));
        return OutcomeToJs(
            session_.Print(static_cast<PrintCommand>(command), number, LookOf(BoxesOf(boxes)), printer));
    }

    // The pages the command would hand over now, drawn as Print draws them,
    // but by a copy of the session, so nothing advances: the browser's own
    // print (Ctrl+P) of the set shown.
    val Pages(int command, const std::string& number, const val& boxes, val pages) const
    {
        WorksheetSession rehearsal = session_;
        JsPrinter printer(std::move(pages));
        return OutcomeToJs(
            rehearsal.Print(static_cast<PrintCommand>(command), number, LookOf(BoxesOf(boxes)), printer));
    }

    bool QuestionFits(val canvas, const std::string& question)
    {
        JsCanvas c(std::move(canvas));
        return session_.QuestionFits(c, question);
    }

    // The problems the preview shows (its full rows), as tavrimo-sheets
    // prints them.
    // With the working shown (boxes: the controls as they stand), each
    // problem's line is followed by its working's, "= ..." each.
    val ProblemLines(const val& boxes) const
    {
        const ProblemTable table = session_.AnsweredTable();
        const std::int32_t shown = session_.ProblemsOnSheet();
        const SheetLook look = LookOf(BoxesOf(boxes));
        val lines = val::array();
        for (std::int32_t i = 1; i <= shown; ++i) {
            lines.call<void>("push", std::to_string(i) + ": " + ProblemLine(table, i));
            if (!look.ShowWorking) continue;
            for (const std::string& step :
                 WorkingStepTexts(table.Minuend[i], table.Subtrahend[i], look.Method))
                lines.call<void>("push", "    = " + step);
        }
        return lines;
    }

    // Every problem of the set with its answer: [[minuend, subtrahend,
    // answer], ...], each number [whole, numerator, denominator].
    val Problems() const
    {
        const ProblemTable table = session_.AnsweredTable();
        val problems = val::array();
        for (std::int32_t i = 1; i <= session_.QuestionCount(); ++i) {
            val p = val::array();
            p.call<void>("push", NumberArray(table.Minuend[i]), NumberArray(table.Subtrahend[i]),
                         NumberArray(table.Answer[i]));
            problems.call<void>("push", p);
        }
        return problems;
    }

    double Seed() { return session_.source().seed(); }
    void SetSeed(double seed) { session_.source().setSeed(static_cast<std::uint32_t>(seed)); }
    // The seed the current set was made from.
    double SeedOfSet() const { return setSeed_; }
    int QuestionCount() const { return session_.QuestionCount(); }
    int SetCount() const { return session_.SetCount(); }
    int ShownSet() const { return session_.ShownSet(); }
    void ShowSet(int index) { session_.ShowSet(index); }
    int PrintNumber() const { return session_.PrintNumber(); }
    bool PreviewReady() const { return session_.PreviewReady(); }

private:
    WorksheetSession session_;
    std::uint32_t setSeed_;
};

double SeedForTimeOfDay(int hour, int minute, int second, int millisecond)
{
    return SeedFromTimeOfDay(hour, minute, second, millisecond);
}

}  // namespace
}  // namespace tavrimo

EMSCRIPTEN_BINDINGS(tavrimo)
{
    using namespace emscripten;
    using tavrimo::WebSession;
    class_<WebSession>("Session")
        .constructor<double>()
        .function("preview", &WebSession::Preview)
        .function("paintPreview", &WebSession::PaintPreview)
        .function("questionFits", &WebSession::QuestionFits)
        .function("print", &WebSession::Print)
        .function("pages", &WebSession::Pages)
        .function("problemLines", &WebSession::ProblemLines)
        .function("problems", &WebSession::Problems)
        .function("seed", &WebSession::Seed)
        .function("setSeed", &WebSession::SetSeed)
        .function("seedOfSet", &WebSession::SeedOfSet)
        .function("questionCount", &WebSession::QuestionCount)
        .function("setCount", &WebSession::SetCount)
        .function("shownSet", &WebSession::ShownSet)
        .function("showSet", &WebSession::ShowSet)
        .function("printNumber", &WebSession::PrintNumber)
        .function("previewReady", &WebSession::PreviewReady);
    function("seedFromTimeOfDay", &tavrimo::SeedForTimeOfDay);
    function("settingDescriptions", &tavrimo::Descriptions);
    function("readLink", &tavrimo::ReadLink);
    function("writeLink", &tavrimo::WriteLink);
    function("checkSetting", &tavrimo::CheckSetting);
    function(
        "questionTooWide", +[] { return std::string(tavrimo::kQuestionTooWide); });
    function("presetNames", &tavrimo::PresetNames);
    function("applyPreset", &tavrimo::ApplyPreset);
}
