#pragma once

// The arguments of tavrimo-sheets, read once by one parser before any
// application object exists, so that main can build the application the
// request needs (fonts only for drawing).

#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "cli/sheet_files.h"
#include "problems/settings_boxes.h"
#include "session/print_sequence.h"

namespace tavrimo {

// Exit codes of tavrimo-sheets.
enum ExitCode : int {
    kExitComplete = 0,  // every set complete
    kExitShort = 1,     // a set stopped short; no further sets were made
    kExitFailed = 2,    // bad input, or a file, standard output or the printer failed
};

// Where -o sends the sheets.
enum class OutputKind {
    None,
    File,    // a regular file, or none yet: written under a temporary name, then renamed
    Stream,  // an existing device, FIFO or socket: written as the pages come
    Stdout,  // "-", or the very file standard output goes to
};

struct SheetsRequest {
    SettingsBoxes boxes;  // every setting, the sentence and the dialog's too
    std::optional<std::uint32_t> seed;
    int sheets = 1;  // the sets of the run; each preview makes one
    bool json = false;
    QString output;
    OutputKind outputKind = OutputKind::None;
    bool png = false;
    int dpi = kDefaultPngDpi;
    PrintCommand answers = PrintCommand::Problems;  // the sheets of each set, as a print button
    bool preview = false;
    bool print = false;
    QString printer;  // empty: the default printer

    // Drawing (files, the printer) needs fonts and so a GUI application.
    bool NeedsFonts() const { return outputKind != OutputKind::None || print; }
};

struct ParsedArguments {
    bool help = false;
    QString error;  // not empty: the arguments are refused
    SheetsRequest request;
};

// Reads the arguments (program name first). Needs no application object.
// Settings are read by the same rule as a link's, and the boxes are checked
// as the window checks them, so a refusal names its option before anything
// is made.
ParsedArguments ReadSheetsArguments(const QStringList& arguments);

// --help, in Japanese, made from the settings' descriptions.
QString SheetsHelpText();

}  // namespace tavrimo
