#include "cli/progress.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tavrimo {
namespace {

// Redrawing more often than this costs time and shows nothing new.
constexpr qint64 kRedrawMs = 100;

}  // namespace

Progress::Progress(QTextStream& err, int total, bool terminal, std::chrono::milliseconds showAfter)
    : err_(err), total_(total), terminal_(terminal), showAfter_(showAfter)
{
    sinceStart_.start();
}

bool ShowsProgress(int outFd, int errFd)
{
    if (isatty(errFd) != 1) return false;
    struct stat out = {}, err = {};
    if (isatty(outFd) != 1 || fstat(outFd, &out) != 0 || fstat(errFd, &err) != 0) return true;
    return out.st_rdev != err.st_rdev;
}

void Progress::Update(int done)
{
    if (!terminal_) return;
    const qint64 now = sinceStart_.elapsed();
    if (now < showAfter_.count()) return;
    if (lastShown_ >= 0 && done < total_ && now - lastShown_ < kRedrawMs) return;
    lastShown_ = now;
    err_ << "\r作成中 " << done << '/' << total_ << " 枚" << Qt::flush;
}

void Progress::Finish()
{
    if (lastShown_ >= 0) err_ << Qt::endl;
    lastShown_ = -1;
}

}  // namespace tavrimo
