// The web page's way into the core: one WorksheetSession behind Embind. The
// page owns the controls, dialogs and printing; it hands the box texts in and
// gets outcomes, drawings and lines of text back. Drawing goes to any JS
// object with the canvas methods below, measurement included, synchronously.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "problems/box_integer.h"
#include "problems/grade_presets.h"
#include "problems/problem_text.h"
#include "problems/setting_descriptions.h"
#include "problems/setting_pairs.h"
#include "problems/working_steps.h"
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

// The browser's printing seen as a SheetPrinter: the JS object collects the
// pages (pageWidth, pageHeight, beginJob(title, number, answers) and newPage()
// each returning a page's canvas object, endJob). The browser has no printer
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
    PrinterFault NewPage() override
    {
        if (!canvas_) return PrinterFault::NotReady;
        canvas_.emplace(pages_.call<val>("newPage"));
        return PrinterFault::None;
    }
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

val BoxesToJs(const SettingsBoxes& boxes)
{
    val out = val::object();
    for (const SettingDescription& d : SettingDescriptions()) {
        if (d.text != nullptr) out.set(std::string(d.control), boxes.*d.text);
        if (d.value != nullptr) out.set(std::string(d.control), boxes.*d.value);
    }
    return out;
}

// Every setting by its control's name: a box's text, or a group's item, a
// flag or a number; missing ones keep their defaults.
SettingsBoxes BoxesOf(const val& boxes)
{
    SettingsBoxes b;
    for (const SettingDescription& d : SettingDescriptions()) {
        const val v = boxes[std::string(d.control)];
        if (v.isUndefined() || v.isNull()) continue;
        if (d.text != nullptr) {
            b.*d.text = v.as<std::string>();
        } else if (d.value != nullptr) {
            // Any number the page passes reaches the session, which refuses
            // what no control holds; one beyond an int becomes one it refuses.
            const double x = v.as<double>();
            const bool fits = std::isfinite(x) && x >= INT32_MIN && x <= INT32_MAX;
            b.*d.value = fits ? static_cast<int>(x) : INT32_MIN;
        }
    }
    return b;
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

// The settings' descriptions for the page: it builds its controls' texts,
// items, hints and defaults, and the 詳細設定 dialog, from them.
val Descriptions()
{
    const auto kindName = [](SettingKind kind) {
        switch (kind) {
            case SettingKind::BoxText: return "box";
            case SettingKind::Text: return "text";
            case SettingKind::Choice: return "choice";
            case SettingKind::Flag: return "flag";
            case SettingKind::Number: return "number";
        }
        return "text";
    };
    val all = val::array();
    for (const SettingDescription& d : SettingDescriptions()) {
        val o = val::object();
        o.set("control", std::string(d.control));
        o.set("name", std::string(d.name));
        o.set("label", std::string(d.label));
        o.set("kind", std::string(kindName(d.kind)));
        o.set("place", std::string(d.place == SettingPlace::Window   ? "window"
                                   : d.place == SettingPlace::Dialog ? "dialog"
                                                                     : "run"));
        if (d.text != nullptr) o.set("initial", DefaultText(d));
        if (d.value != nullptr) o.set("initial", DefaultValue(d));
        o.set("low", static_cast<double>(d.low));
        o.set("high", static_cast<double>(d.high));
        o.set("maxLength", d.maxLength);
        val items = val::array();
        for (const SettingItem& item : d.items) {
            val i = val::object();
            i.set("text", std::string(item.text));
            i.set("value", std::string(item.value));
            items.call<void>("push", i);
        }
        o.set("items", items);
        o.set("hint", std::string(d.hint));
        o.set("follows", std::string(d.follows));
        if (d.off) o.set("off", *d.off);
        o.set("offText", std::string(d.offText));
        o.set("unit", std::string(d.unit));
        val offered = val::array();
        for (const int v : d.offered) offered.call<void>("push", v);
        o.set("offered", offered);
        all.call<void>("push", o);
    }
    return all;
}

// A link's parameters, [[name, value], ...] in their order, read by the rule
// tavrimo-sheets reads its options by: { boxes (by control), seed (or null),
// error ('' or the first refusal, naming its parameter), unknown (names) }.
val ReadLink(const val& params)
{
    std::vector<SettingPair> pairs;
    const auto length = params["length"].as<unsigned>();
    for (unsigned i = 0; i < length; ++i) {
        pairs.push_back({params[i][0].as<std::string>(), params[i][1].as<std::string>()});
    }
    const SettingsFromPairs read = ReadSettingPairs(pairs, PairSource::Link);
    val result = val::object();
    result.set("boxes", BoxesToJs(read.boxes));
    result.set("seed", read.seed ? val(static_cast<double>(*read.seed)) : val::null());
    result.set("error", read.refusal ? read.refusal->name + ": " + WithClosingPeriod(read.refusal->message)
                                     : std::string());
    val unknown = val::array();
    for (const std::string& name : read.unknown) unknown.call<void>("push", name);
    result.set("unknown", unknown);
    return result;
}

// The link of a set: [[name, value], ...], the version first.
val WriteLink(const val& boxes, const val& seed)
{
    const auto pairs = WriteSettingPairs(
        BoxesOf(boxes), seed.isNull() || seed.isUndefined()
                            ? std::nullopt
                            : std::optional<std::uint32_t>(static_cast<std::uint32_t>(seed.as<double>())));
    val out = val::array();
    for (const SettingPair& p : pairs) {
        val pair = val::array();
        pair.call<void>("push", p.name, p.value);
        out.call<void>("push", pair);
    }
    return out;
}

// The refusal of a value typed for a setting, '' when it holds one.
std::string CheckSetting(const std::string& name, const std::string& value)
{
    const SettingDescription* d = FindSettingByName(name);
    if (d == nullptr) return "「" + name + "」という設定はありません";
    return RefusalOfValue(*d, value, PairSource::Link).value_or("");
}

val PresetNames()
{
    val names = val::array();
    for (const GradePreset& preset : GradePresets()) names.call<void>("push", std::string(preset.name));
    return names;
}

// The settings with the preset's applied, by control.
val ApplyPreset(const val& boxes, int index)
{
    const auto presets = GradePresets();
    if (index < 0 || static_cast<std::size_t>(index) >= presets.size()) return BoxesToJs(BoxesOf(boxes));
    return BoxesToJs(WithPreset(BoxesOf(boxes), presets[static_cast<std::size_t>(index)]));
}

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
