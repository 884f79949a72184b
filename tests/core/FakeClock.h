#pragma once

#include "support/Clock.h"

#include <atomic>

// A millisecond tick the test sets by hand; the high-resolution counter stays real so paced
// workers keep their normal rhythm. Installed while alive.
class FakeClock final : public Clock {
public:
    explicit FakeClock(uint32_t start = 1000) : m_tick(start) { m_pPrevious = SetClock(this); }
    ~FakeClock() override { SetClock(m_pPrevious); }
    uint32_t TickCount() override { return m_tick.load(); }
    int64_t HighResCounter() override { return m_pPrevious->HighResCounter(); }
    int64_t HighResFrequency() override { return m_pPrevious->HighResFrequency(); }
    void Set(uint32_t tick) { m_tick = tick; }
    void Advance(uint32_t ms) { m_tick += ms; }

private:
    std::atomic<uint32_t> m_tick;
    Clock* m_pPrevious;
};
