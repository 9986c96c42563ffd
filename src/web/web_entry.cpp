// The web page's way into the core: one WorksheetSession behind Embind. The
// page owns the controls, dialogs and printing; it hands the box texts in and
// gets outcomes, drawings and lines of text back. Drawing goes to any JS
// object with the canvas methods below, measurement included, synchronously.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "problems/problem_text.h"
#include "runtime/canvas.h"
#include "runtime/random_source.h"
#include "runtime/sheet_printer.h"
#include "session/worksheet_session.h"

namespace tavrimo {
namespace {

using emscripten::val;

std::string Text(std::string_view s)
{
    return std::string(s);
}

// A Canvas whose every call goes to a JS object: textOut, textWidth,
// textHeight, setFontName, setFontHeight, setPenColor(r, g, b), setPenWidth,
// setBrushStyle("solid" | "clear"), setBrushColor(r, g, b), rectangle,
// moveTo, lineTo.
class JsCanvas final : public Canvas {
public:
    explicit JsCanvas(val target) : target_(std::move(target)) {}

    void TextOut(std::int32_t x, std::int32_t y, std::string_view text) override
    {
        target_.call<void>("textOut", x, y, Text(text));
    }
    std::int32_t TextWidth(std::string_view text) override
    {
        return target_.call<std::int32_t>("textWidth", Text(text));
    }
    std::int32_t TextHeight(std::string_view text) override
    {
        return target_.call<std::int32_t>("textHeight", Text(text));
    }
    void SetFontName(std::string_view name) override { target_.call<void>("setFontName", Text(name)); }
    void SetFontHeight(std::int32_t height) override { target_.call<void>("setFontHeight", height); }
    void SetPenColor(Rgb c) override { target_.call<void>("setPenColor", c.r, c.g, c.b); }
    void SetPenWidth(std::int32_t width) override { target_.call<void>("setPenWidth", width); }
    void SetBrushStyle(BrushStyle style) override
    {
        target_.call<void>("setBrushStyle", std::string(style == BrushStyle::Solid ? "solid" : "clear"));
    }
    void SetBrushColor(Rgb c) override { target_.call<void>("setBrushColor", c.r, c.g, c.b); }
    void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) override
    {
        target_.call<void>("rectangle", x1, y1, x2, y2);
    }
    void MoveTo(std::int32_t x, std::int32_t y) override { target_.call<void>("moveTo", x, y); }
    void LineTo(std::int32_t x, std::int32_t y) override { target_.call<void>("lineTo", x, y); }

private:
    val target_;
};

// The browser's printing seen as a SheetPrinter: the JS object collects one
// page per job (pageWidth, pageHeight, beginJob(title, number, answers)
// returning the page's canvas object, endJob). The browser has no printer
// faults to report before its own print dialog.
class JsPrinter final : public SheetPrinter {
public:
    explicit JsPrinter(val pages) : pages_(std::move(pages)) {}

    PrinterFault SetPortrait() override { return PrinterFault::None; }
    std::int32_t PageWidth() override { return pages_.call<std::int32_t>("pageWidth"); }
    std::int32_t PageHeight() override { return pages_.call<std::int32_t>("pageHeight"); }
    PrinterFault BeginJob(const PrintJob& job) override
    {
        canvas_.emplace(pages_.call<val>("beginJob", job.title, job.sheetNumber, job.answerSheet));
        return PrinterFault::None;
    }
    Canvas& JobCanvas() override { return *canvas_; }
    PrinterFault EndJob() override
    {
        if (!canvas_) return PrinterFault::NotReady;
        pages_.call<void>("endJob");
        canvas_.reset();
        return PrinterFault::None;
    }
    void SetupDialog() override {}

private:
    val pages_;
    std::optional<JsCanvas> canvas_;
};

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

class WebSession {
public:
    explicit WebSession(double seed) : session_(static_cast<std::uint32_t>(seed)), setSeed_(session_.source().seed())
    {
    }

    // boxes: the control names of the window, each box's text or each radio
    // group's selected item.
    val Preview(const val& boxes)
    {
        SettingsBoxes b;
        for (auto [name, field] : kBoxFields) b.*field = boxes[name].as<std::string>();
        for (auto [name, field] : kGroupFields) b.*field = boxes[name].as<int>();

        const std::uint32_t seed = session_.source().seed();
        const PreviewOutcome outcome = session_.Preview(b);
        if (outcome.status != AssemblyStatus::Refused) setSeed_ = seed;

        val result = val::object();
        result.set("status", std::string(StatusName(outcome.status)));
        result.set("message", outcome.message);
        result.set("previewReady", outcome.previewReady);
        return result;
    }

    bool PaintPreview(val canvas, const std::string& question)
    {
        JsCanvas c(std::move(canvas));
        return session_.PaintPreview(c, question);
    }

    // command: 0 印刷, 1 印刷（答えつき）, 2 印刷（答えのみ）.
    val Print(int command, const std::string& number, const std::string& question, val pages)
    {
        JsPrinter printer(std::move(pages));
        const PrintOutcome outcome = session_.Print(static_cast<PrintCommand>(command), number, question, printer);
        val result = val::object();
        result.set("printed", outcome.printed);
        result.set("message", outcome.message);
        return result;
    }

    // The problems the preview shows (its full rows), as tavrimo-sheets
    // prints them.
    val ProblemLines() const
    {
        const ProblemTable table = session_.AnsweredTable();
        const std::int32_t shown = session_.QuestionCount() / 2 * 2;
        val lines = val::array();
        for (std::int32_t i = 1; i <= shown; ++i) {
            lines.call<void>("push", std::to_string(i) + ": " + ProblemLine(table, i));
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
    int PrintNumber() const { return session_.PrintNumber(); }
    bool PreviewReady() const { return session_.PreviewReady(); }

private:
    static constexpr std::pair<const char*, std::string SettingsBoxes::*> kBoxFields[] = {
        {"PrnNum", &SettingsBoxes::PrnNum},         {"edtIntf1", &SettingsBoxes::edtIntf1},
        {"edtIntf2", &SettingsBoxes::edtIntf2},     {"edtBunbof1", &SettingsBoxes::edtBunbof1},
        {"edtBunbof2", &SettingsBoxes::edtBunbof2}, {"edtIntb1", &SettingsBoxes::edtIntb1},
        {"edtIntb2", &SettingsBoxes::edtIntb2},     {"edtBunbob1", &SettingsBoxes::edtBunbob1},
        {"edtBunbob2", &SettingsBoxes::edtBunbob2},
    };
    static constexpr std::pair<const char*, int SettingsBoxes::*> kGroupFields[] = {
        {"rgAnswer", &SettingsBoxes::rgAnswer}, {"rgQNum", &SettingsBoxes::rgQNum},
        {"rgTuubun", &SettingsBoxes::rgTuubun}, {"rgBaisuu", &SettingsBoxes::rgBaisuu},
        {"rgYakubun", &SettingsBoxes::rgYakubun},
    };

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
        .function("print", &WebSession::Print)
        .function("problemLines", &WebSession::ProblemLines)
        .function("problems", &WebSession::Problems)
        .function("seed", &WebSession::Seed)
        .function("setSeed", &WebSession::SetSeed)
        .function("seedOfSet", &WebSession::SeedOfSet)
        .function("questionCount", &WebSession::QuestionCount)
        .function("printNumber", &WebSession::PrintNumber)
        .function("previewReady", &WebSession::PreviewReady);
    function("seedFromTimeOfDay", &tavrimo::SeedForTimeOfDay);
}
