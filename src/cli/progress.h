#pragma once

#include <QElapsedTimer>
#include <QTextStream>
#include <chrono>

namespace tavrimo {

// A line on a terminal that counts the sheets of a long run, rewritten in
// place ("\r作成中 37/1000 枚"). It appears only once the run has taken
// longer than showAfter, so short runs leave the terminal as they found it,
// and never when the stream is not a terminal (the caller says which).
class Progress {
public:
    Progress(QTextStream& err, int total, bool terminal,
             std::chrono::milliseconds showAfter = std::chrono::seconds(1));

    void Update(int done);
    // Ends the line, if one was shown, so later messages start on their own.
    void Finish();

private:
    QTextStream& err_;
    int total_;
    bool terminal_;
    std::chrono::milliseconds showAfter_;
    QElapsedTimer sinceStart_;
    qint64 lastShown_ = -1;  // ms after the start; -1 before the first line
};

// Whether progress may go to the stream errFd: a terminal that the stream
// outFd does not write to as well, where the counts would mix into the output.
bool ShowsProgress(int outFd, int errFd);

}  // namespace tavrimo
