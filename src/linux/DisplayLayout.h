#pragma once

#include "support/Rect.h"

#include <cstdint>
#include <vector>

// The saver's window over a desk of displays and the areas of it that animate: the window is the
// smallest rectangle holding every display, each animated area one display's bounds in the
// window's coordinates.
class DisplayLayout {
public:
    DisplayLayout() = default;
    // displays: bounds in desktop coordinates, the primary first. With everyDisplay false only
    // the primary animates, the rest of the window stays black.
    DisplayLayout(const std::vector<Rect>& displays, bool everyDisplay);

    // In desktop coordinates.
    const Rect& Window() const { return m_rcWindow; }
    // In window coordinates.
    const std::vector<Rect>& Views() const { return m_aViews; }
    // Pixels of the window that no display shows; they are cleared, never drawn.
    int64_t DeadArea() const;
    bool operator==(const DisplayLayout&) const = default;

    // For each of next's views, the index of one of these views whose image it can take over, or
    // -1 for a new one: the same rectangle first, else the same size (a display that moved). No
    // view is taken over twice.
    std::vector<int> Successors(const DisplayLayout& next) const;

private:
    Rect m_rcWindow;
    std::vector<Rect> m_aViews;
    // Every display, animated or not, in window coordinates.
    std::vector<Rect> m_aDisplays;
};
