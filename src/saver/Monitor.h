#pragma once

#include "support/Rect.h"

#include <string>
#include <vector>

// One monitor of the desk in screen coordinates, where the primary's top-left is the origin:
// monitors left of or above it have negative coordinates.
struct Monitor {
    // The system's name for it, which stays while it is plugged in, wherever it is moved.
    std::string device;
    Rect rect;
    bool primary = false;
    // Its display's refresh rate; 0 or 1 where the system does not say.
    double refreshHz = 0.0;
    bool operator==(const Monitor&) const = default;
};

// The smallest rectangle over every monitor, which the saver's window covers; empty for no
// monitors.
Rect VirtualScreen(const std::vector<Monitor>& desk);
// The monitors the saver animates: every one, or the primary alone (the first when none is
// marked primary).
std::vector<Monitor> DrawnMonitors(const std::vector<Monitor>& desk, bool every);
// A screen rectangle in the client coordinates of a window covering `screen`.
Rect InWindow(const Rect& rect, const Rect& screen);
