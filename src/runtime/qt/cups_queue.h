#pragma once

#include <QString>

namespace tavrimo {

// What Qt does not tell: whether CUPS takes jobs for a queue, and whether it
// took the last one. Qt hands a job to CUPS at the end of the job and drops
// CUPS's answer, so a refused job would otherwise look printed.

// The reasons below are in Japanese for the common cases (no such queue, not
// accepting jobs, no permission, the spooler unreachable), otherwise in
// CUPS's own words.

// Why the queue takes no job now (gone, rejecting jobs or stopped, in which
// case CUPS would hold the job unprinted); empty when it takes them.
QString QueueRefusal(const QString& printerName);

// CUPS's words on the last job handed to it from this thread; empty when it
// was taken. Meaningful right after a job ended, as QueueRefusal resets it.
QString LastSubmissionError();

// Whether the CUPS server (the system's, or CUPS_SERVER's) takes a
// connection: without one Qt finds no printer, as with none installed.
bool SpoolerAnswers();

}  // namespace tavrimo
