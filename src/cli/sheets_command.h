#pragma once

#include <QStringList>
#include <QTextStream>

namespace tavrimo {

// Exit codes of tavrimo-sheets.
enum ExitCode : int {
    kExitComplete = 0,  // every set complete
    kExitShort = 1,     // a set stopped short; no further sets were made
    kExitBadInput = 2,  // bad option or box text; nothing was made
};

// Whether the arguments ask for sheets drawn into files or sent to a printer,
// which needs a GUI application object rather than a core one.
bool NeedsGuiApplication(const QStringList& arguments);

// The whole command: arguments (program name first), results to out,
// messages to err. Returns the exit code.
int RunSheetsCommand(const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace tavrimo
