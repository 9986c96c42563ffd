#pragma once

namespace tavrimo {

// Ctrl-C (SIGINT), SIGTERM and SIGHUP. While files are under temporary names
// (a StopGuard lives), such a signal only asks the run to stop: the writers
// see StopRequested() at their next page and fail, their temporary files are
// removed as they are destroyed, and EndIfStopped() then ends the process by
// the signal, as its default action would have. Without temporary files, or
// at a second signal, the default action is taken at once. A signal ignored
// when the program started (a background job's SIGINT) stays ignored.
void CatchStopSignals();

// Arms the catching above for its lifetime.
class StopGuard {
public:
    StopGuard();
    ~StopGuard();
    StopGuard(const StopGuard&) = delete;
    StopGuard& operator=(const StopGuard&) = delete;
};

bool StopRequested();

// Ends the process by the signal that asked it to stop, if one did.
void EndIfStopped();

}  // namespace tavrimo
