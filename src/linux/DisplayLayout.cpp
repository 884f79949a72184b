#include "linux/DisplayLayout.h"

#include <algorithm>

DisplayLayout::DisplayLayout(const std::vector<Rect>& displays, bool everyDisplay) {
    if (displays.empty())
        return;
    m_rcWindow = displays.front();
    for (const Rect& display : displays) {
        m_rcWindow.left = std::min(m_rcWindow.left, display.left);
        m_rcWindow.top = std::min(m_rcWindow.top, display.top);
        m_rcWindow.right = std::max(m_rcWindow.right, display.right);
        m_rcWindow.bottom = std::max(m_rcWindow.bottom, display.bottom);
    }
    for (const Rect& display : displays) {
        m_aDisplays.push_back({display.left - m_rcWindow.left, display.top - m_rcWindow.top,
                               display.right - m_rcWindow.left, display.bottom - m_rcWindow.top});
    }
    m_aViews.assign(m_aDisplays.begin(),
                    everyDisplay ? m_aDisplays.end() : m_aDisplays.begin() + 1);
}

// Displays may overlap (a mirrored one), so the shown area is counted over the grid their edges
// make rather than summed.
int64_t DisplayLayout::DeadArea() const {
    std::vector<int> xs, ys;
    for (const Rect& display : m_aDisplays) {
        xs.insert(xs.end(), {display.left, display.right});
        ys.insert(ys.end(), {display.top, display.bottom});
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    int64_t shown = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        for (size_t j = 0; j + 1 < ys.size(); ++j) {
            bool covered = std::any_of(m_aDisplays.begin(), m_aDisplays.end(), [&](const Rect& d) {
                return d.left <= xs[i] && xs[i + 1] <= d.right && d.top <= ys[j] &&
                       ys[j + 1] <= d.bottom;
            });
            if (covered)
                shown += int64_t{xs[i + 1] - xs[i]} * (ys[j + 1] - ys[j]);
        }
    }
    return int64_t{m_rcWindow.Width()} * m_rcWindow.Height() - shown;
}

std::vector<int> DisplayLayout::Successors(const DisplayLayout& next) const {
    // Views are compared on the desktop: a display that stays put keeps its place even when the
    // window's corner moves because another one came or went.
    auto onDesktop = [](const DisplayLayout& layout, const Rect& view) {
        return Rect{view.left + layout.m_rcWindow.left, view.top + layout.m_rcWindow.top,
                    view.right + layout.m_rcWindow.left, view.bottom + layout.m_rcWindow.top};
    };
    std::vector<int> successors(next.m_aViews.size(), -1);
    std::vector<bool> taken(m_aViews.size(), false);
    auto take = [&](auto matches) {
        for (size_t n = 0; n < next.m_aViews.size(); ++n) {
            for (size_t o = 0; o < m_aViews.size() && successors[n] < 0; ++o) {
                if (!taken[o] &&
                    matches(onDesktop(*this, m_aViews[o]), onDesktop(next, next.m_aViews[n]))) {
                    successors[n] = static_cast<int>(o);
                    taken[o] = true;
                }
            }
        }
    };
    take([](const Rect& a, const Rect& b) { return a == b; });
    take([](const Rect& a, const Rect& b) {
        return a.Width() == b.Width() && a.Height() == b.Height();
    });
    return successors;
}
