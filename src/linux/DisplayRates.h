#pragma once

#include "support/Rect.h"

#include <vector>

// A display's bounds on the desktop and how often it shows a new picture; 0 where the system
// does not say.
struct DisplayRate {
    Rect bounds;
    double refreshHz = 0.0;
    bool operator==(const DisplayRate&) const = default;
};

// The refresh rate to pace `area` (desktop coordinates) by: that of the display showing most of
// it, the faster of mirrored ones; 0 when no display shows any of it.
double RefreshRateOf(const std::vector<DisplayRate>& displays, const Rect& area);
