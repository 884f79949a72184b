#include "support/Clock.h"

#include <atomic>
#include <chrono>

namespace {

class SystemClock final : public Clock {
public:
    uint32_t TickCount() override {
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        return static_cast<uint32_t>(ms.count());
    }
    int64_t HighResCounter() override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    int64_t HighResFrequency() override { return 1000000000; }
};

SystemClock g_systemClock;
std::atomic<Clock*> g_clock{&g_systemClock};

} // namespace

Clock& GetClock() {
    return *g_clock.load();
}

Clock* SetClock(Clock* clock) {
    return g_clock.exchange(clock ? clock : &g_systemClock);
}
