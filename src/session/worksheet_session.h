#pragma once

// What the window holds between clicks and the commands behind its buttons,
// with no widget in sight: every front end (the window, the command line, the
// web page) reads its controls, calls one of these and shows what comes back.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "problems/problem_set.h"
#include "problems/problem_table.h"
#include "problems/settings_boxes.h"
#include "problems/sheet.h"
#include "runtime/canvas.h"
#include "runtime/random_source.h"
#include "runtime/sheet_printer.h"
#include "session/print_sequence.h"

namespace tavrimo {

// Said (captioned kShortSetCaption, without the alert sound) when the sentence
// is wider than the sheet, rather than printing part of it.
inline constexpr const char* kQuestionTooWide =
    "問題文がプリントの幅に収まらないので、右のはしが切れます。問題文を短くしてください。";

struct PreviewOutcome {
    AssemblyStatus status = AssemblyStatus::Complete;
    // Refused: the error report's text, "." included. Short: the warning's
    // text (caption kShortSetCaption); the front end beeps, then shows it.
    std::string message;
    // More than 2 problems: the preview is ready and the print buttons are
    // to be enabled (they stay enabled from then on).
    bool previewReady = false;
};

struct PrintOutcome {
    bool printed = false;
    // When not printed: the error report's text, "." included.
    std::string message;
};

class WorksheetSession {
public:
    // The source is seeded by the caller: Randomize for a window, a given
    // seed for a reproducible sheet.
    explicit WorksheetSession(std::uint32_t seed = 0);

    // The preview button up to drawing: reads the boxes, assembles the set.
    // With a class set of K sheets it makes K sets one after another, as K
    // clicks would, stopping at one that comes out short; the first is shown.
    // A refusal leaves the sets as they were (a sheet number read before the
    // bad box is taken over).
    PreviewOutcome Preview(const SettingsBoxes& boxes);

    // The window's start: the sheet number as its box holds it; a box that
    // holds no integer leaves the number as it was.
    void ReadPrintNumber(std::string_view numberText);

    // What a print command does to the number once its sheets were handed
    // over: one up for every set.
    void AdvancePrintNumber();

    // The preview box's paint: the shown set's answer sheet (its first page)
    // at 320 x 441 once a preview is ready and the set holds problems;
    // otherwise draws nothing and returns false.
    bool PaintPreview(Canvas& canvas, const SheetLook& look);

    // One print command over every set: the sheet number read from its box
    // text, then the jobs (PlanJobs); the number advances by the number of
    // sets only when every job was handed over. A command that is none of
    // the three is refused with the error report's text.
    PrintOutcome Print(PrintCommand command, std::string_view numberText, const SheetLook& look,
                       SheetPrinter& printer);

    // The jobs a print command makes of the sets, numbered from the current
    // PrintNumber, without printing them.
    std::vector<PlannedJob> JobsFor(PrintCommand command, const SheetLook& look) const;

    // The sheets a print command prints of the shown set, numbered with the
    // current PrintNumber.
    std::vector<Sheet> SheetsFor(PrintCommand command, const SheetLook& look) const;

    // Whether the sentence fits the sheet's width; measured on the canvas at
    // the preview's size, where the sheet is drawn as on paper, only smaller.
    bool QuestionFits(Canvas& measure, std::string_view questionText) const;

    // The shown set's table with the answers of its problems computed.
    ProblemTable AnsweredTable() const;

    // The class set: how many sets the last preview made, and which is shown.
    int SetCount() const { return 1 + static_cast<int>(more_.size()); }
    int ShownSet() const { return shown_; }
    void ShowSet(int index);

    std::int32_t QuestionCount() const { return sheet_.QuestionCount; }
    // The problems the shown set's sheet shows: its full rows.
    std::int32_t ProblemsOnSheet() const { return tavrimo::ProblemsOnSheet(Shown().QuestionCount); }
    std::int32_t PrintNumber() const { return sheet_.PrintNumber; }
    bool PreviewReady() const { return PreviewReady_ == 1; }
    // Set only while a drawing of the answer sheet is under way.
    bool ShowAnswers() const { return drawing_; }
    const ProblemTable& table() const { return sheet_.table; }
    const ProblemKeys& keys() const { return keys_; }
    RandomSource& source() { return source_; }

private:
    // The sets to print: those of the last preview, or the table as it is.
    std::vector<Sheet> Sets() const;
    const Sheet& Shown() const;

    RandomSource source_;
    Sheet sheet_;  // the first set's table, QuestionCount and the PrintNumber
    ProblemKeys keys_{};
    std::vector<Sheet> more_;  // the class set's further sets
    int shown_ = 0;
    bool drawing_ = false;
    std::int32_t PreviewReady_ = 0;
};

}  // namespace tavrimo
