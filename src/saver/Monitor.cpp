#include "saver/Monitor.h"

#include <algorithm>

Rect VirtualScreen(const std::vector<Monitor>& desk) {
    if (desk.empty())
        return {};
    Rect all = desk.front().rect;
    for (const Monitor& monitor : desk) {
        all.left = std::min(all.left, monitor.rect.left);
        all.top = std::min(all.top, monitor.rect.top);
        all.right = std::max(all.right, monitor.rect.right);
        all.bottom = std::max(all.bottom, monitor.rect.bottom);
    }
    return all;
}

std::vector<Monitor> DrawnMonitors(const std::vector<Monitor>& desk, bool every) {
    if (every || desk.empty())
        return desk;
    auto primary =
        std::find_if(desk.begin(), desk.end(), [](const Monitor& m) { return m.primary; });
    return {primary != desk.end() ? *primary : desk.front()};
}

Rect InWindow(const Rect& rect, const Rect& screen) {
    return {rect.left - screen.left, rect.top - screen.top, rect.right - screen.left,
            rect.bottom - screen.top};
}
