#include "linux/SignalWatch.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace {

std::atomic<bool> g_bEnded{false};

sigset_t TerminationSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

// The next of the signals, or 0 when none came within the limit.
int NextSignal(const sigset_t& set, std::chrono::milliseconds limit) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(limit);
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(limit - seconds);
    const timespec wait{static_cast<time_t>(seconds.count()),
                        static_cast<long>(nanoseconds.count())};
    for (;;) {
        int signal = sigtimedwait(&set, nullptr, &wait);
        if (signal > 0)
            return signal;
        // A handled signal of another kind restarts the wait, and with it the limit.
        if (errno != EINTR)
            return 0;
    }
}

} // namespace

void WatchTerminationSignals(std::function<void(int)> quit, std::chrono::milliseconds grace) {
    const sigset_t set = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread([set, quit = std::move(quit), grace] {
        int first = 0;
        while (first <= 0)
            first = sigwaitinfo(&set, nullptr);
        quit(first);
        int second = NextSignal(set, grace);
        while (second == 0 && g_bEnded)
            second = sigwaitinfo(&set, nullptr);
        _exit(128 + (second > 0 ? second : first));
    }).detach();
}

void OrderlyEndReached() {
    g_bEnded = true;
}
