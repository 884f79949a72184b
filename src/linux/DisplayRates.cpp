#include "linux/DisplayRates.h"

#include <algorithm>
#include <cstdint>

double RefreshRateOf(const std::vector<DisplayRate>& displays, const Rect& area) {
    int64_t bestOverlap = 0;
    double hz = 0.0;
    for (const DisplayRate& display : displays) {
        const int64_t w =
            std::min(area.right, display.bounds.right) - std::max(area.left, display.bounds.left);
        const int64_t h =
            std::min(area.bottom, display.bounds.bottom) - std::max(area.top, display.bounds.top);
        if (w <= 0 || h <= 0)
            continue;
        const int64_t overlap = w * h;
        if (overlap > bestOverlap || (overlap == bestOverlap && display.refreshHz > hz)) {
            bestOverlap = overlap;
            hz = display.refreshHz;
        }
    }
    return hz;
}
