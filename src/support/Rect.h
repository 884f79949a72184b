#pragma once

// Right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// How many times more pixels the full screen has than the drawn area.
inline double AreaRatio(const Rect& fullScreen, const Rect& drawn) {
    return (static_cast<double>(fullScreen.Height()) * fullScreen.Width()) /
           (static_cast<double>(drawn.Height()) * drawn.Width());
}
