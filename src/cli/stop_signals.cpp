#include "cli/stop_signals.h"

#include <signal.h>

#include <atomic>

namespace tavrimo {
namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> armed{0};
std::atomic<int> stopSignal{0};

static_assert(std::atomic<int>::is_always_lock_free, "used from a signal handler");

void TakeDefaultAction(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    // Blocked while the handler runs, so it is delivered once the handler
    // returns; from outside a handler it is delivered before raise returns.
    raise(signal);
}

void OnStopSignal(int signal)
{
    if (armed.load() == 0 || stopSignal.load() != 0) {
        TakeDefaultAction(signal);
        return;
    }
    stopSignal.store(signal);
}

}  // namespace

void CatchStopSignals()
{
    for (const int signal : kStopSignals) {
        struct sigaction old = {};
        sigaction(signal, nullptr, &old);
        if (old.sa_handler == SIG_IGN) continue;
        struct sigaction action = {};
        action.sa_handler = OnStopSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        sigaction(signal, &action, nullptr);
    }
}

StopGuard::StopGuard()
{
    armed.fetch_add(1);
}

StopGuard::~StopGuard()
{
    armed.fetch_sub(1);
}

bool StopRequested()
{
    return stopSignal.load() != 0;
}

void EndIfStopped()
{
    if (const int signal = stopSignal.load(); signal != 0) TakeDefaultAction(signal);
}

}  // namespace tavrimo
