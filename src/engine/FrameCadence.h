#pragma once

#include <cstdint>

// The refresh rate to pace frames by when the system reports `reportedHz`: its own, or 60 where
// it says nothing (0) or only "the hardware's default" (1, on Windows).
double DisplayRefreshRate(double reportedHz);

// Keeps frames from starting more often than a display shows them. Each frame may start one
// period after the previous one was due, not after it started, so late frames do not lower the
// average rate and early wake-ups cannot raise it above the display's.
class FrameCadence {
public:
    // Frames per second at most on a counter of `frequency` counts per second; 0 lifts the limit.
    void SetRate(double hz, int64_t frequency);
    // A frame starts at `now`. One that starts a whole period or more after it was due begins a
    // new schedule from `now`: a pause is not caught up with a burst.
    void Started(int64_t now);
    // Counts from `now` until the next frame is due; 0 when it is due already.
    int64_t Remaining(int64_t now) const;
    // The next frame is due at once (after a sleep, or a new rate).
    void Restart() { m_bScheduled = false; }

private:
    int64_t m_nPeriod = 0;
    int64_t m_nNext = 0;
    bool m_bScheduled = false;
};
