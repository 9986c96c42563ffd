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
    // A refusal leaves the set as it was (a sheet number read before the bad
    // box is taken over).
    PreviewOutcome Preview(const SettingsBoxes& boxes);

    // The window's start: the sheet number as its box holds it; a box that
    // holds no integer leaves the number as it was.
    void ReadPrintNumber(std::string_view numberText);

    // What a print command does to the number once its sheets were handed over.
    void AdvancePrintNumber();

    // The preview box's paint: the answer sheet at 320 x 441 once a preview
    // is ready and the table holds problems; otherwise draws nothing and
    // returns false. The sentence is the one the window shows now.
    bool PaintPreview(Canvas& canvas, std::string_view questionText);

    // One print command: the sheet number read from its box text, portrait,
    // the page read once, one job per sheet; the number advances only when
    // every job was handed over. A command that is none of the three is
    // refused with the error report's text.
    PrintOutcome Print(PrintCommand command, std::string_view numberText, std::string_view questionText,
                       SheetPrinter& printer);

    // Whether the sentence fits the sheet's width; measured on the canvas at
    // the preview's size, where the sheet is drawn as on paper, only smaller.
    bool QuestionFits(Canvas& measure, std::string_view questionText) const;

    // The sheets a print command prints, in order, numbered with the current
    // PrintNumber.
    std::vector<Sheet> SheetsFor(PrintCommand command, std::string_view questionText) const;

    // The table with the answers of its QuestionCount problems computed.
    ProblemTable AnsweredTable() const;

    std::int32_t QuestionCount() const { return sheet_.QuestionCount; }
    // The problems the sheet shows: its full rows.
    std::int32_t ProblemsOnSheet() const { return tavrimo::ProblemsOnSheet(sheet_.QuestionCount); }
    std::int32_t PrintNumber() const { return sheet_.PrintNumber; }
    bool PreviewReady() const { return PreviewReady_ == 1; }
    // Set only while a drawing of the answer sheet is under way.
    bool ShowAnswers() const { return sheet_.ShowAnswers; }
    const ProblemTable& table() const { return sheet_.table; }
    const ProblemKeys& keys() const { return keys_; }
    RandomSource& source() { return source_; }

private:
    RandomSource source_;
    Sheet sheet_;  // the table, QuestionCount, PrintNumber; ShowAnswers while drawing
    ProblemKeys keys_{};
    std::int32_t PreviewReady_ = 0;
};

}  // namespace tavrimo
