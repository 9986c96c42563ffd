#pragma once

// tavrimo-sheets runs a request on a worksheet session, one preview per set,
// with each set streamed to standard output and to the file writers as it is
// made.

#include <QIODevice>
#include <QStringList>
#include <QTextStream>

#include "cli/sheets_arguments.h"

namespace tavrimo {

struct Console {
    QIODevice& out;         // the text or JSON; the sheets themselves with -o -
    QTextStream& err;       // messages
    bool terminal = false;  // err is a terminal: long runs show their progress
};

// Runs what was read; returns the exit code.
int RunSheetsCommand(const ParsedArguments& parsed, Console console);

// Both steps at once, for callers that already have an application.
int RunSheetsCommand(const QStringList& arguments, QIODevice& out, QTextStream& err);

}  // namespace tavrimo
