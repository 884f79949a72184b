#pragma once

#include "saver/Monitor.h"
#include "support/Rect.h"

#include <vector>

// The system metrics the screen rectangles are made from, behind a seam so that a test can
// describe any desktop.
class ScreenMetrics {
public:
    // GetSystemMetrics of the index (SM_CMONITORS, SM_CXSCREEN, ...).
    virtual int Get(int index) const;
    // Every monitor the system shows now; the primary screen alone where it lists none.
    virtual std::vector<Monitor> Monitors() const;

protected:
    ~ScreenMetrics() = default;
};

const ScreenMetrics& SystemScreenMetrics();

// The rectangle a full-screen window must cover: the virtual screen, or the screen where the
// system counts no monitors.
void GetFullScreenRect(Rect& rect, const ScreenMetrics& metrics = SystemScreenMetrics());
// The primary screen inside a window covering the full-screen rectangle.
void GetPrimaryRect(Rect& rect, const ScreenMetrics& metrics = SystemScreenMetrics());
