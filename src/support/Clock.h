#pragma once

#include <cstdint>

// Time as the renderer sees it. Tests install a fake so pacing and preset timers can be driven.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some start; wraps every 49.7 days.
    virtual uint32_t TickCount() = 0;
    virtual int64_t HighResCounter() = 0;
    virtual int64_t HighResFrequency() = 0;
};

// The clock in use: the system clock unless a test installed another.
Clock& GetClock();

// Installs a clock (not owned) or, with null, restores the system clock. Returns the previous one.
Clock* SetClock(Clock* clock);
