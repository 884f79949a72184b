#include "editor/DialogGeometry.h"

#include <cstdint>

bool RectContains(const Rect& r, Point p) {
    return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

int ScaleForDpi(int pixels96, int dpi) {
    // 64-bit product: a large length at a high DPI would overflow an int before the division.
    int64_t product = static_cast<int64_t>(pixels96) * dpi;
    int64_t magnitude = (product < 0 ? -product : product) + 48;
    int64_t scaled = magnitude / 96;
    return static_cast<int>(product < 0 ? -scaled : scaled);
}

IconButtonLayout LayOutIconButton(const Rect& r, int textWidth, bool iconRight, int iconSpace) {
    // r.left counts twice here, and again for a right-hand icon. In a button's own client
    // rectangle r.left is 0 and this is plain centring; the offset form is kept as it is drawn.
    int x = r.left + (r.right - (r.left + textWidth) - r.left - iconSpace) / 2;
    if (iconRight)
        return {x + r.left + textWidth, x};
    return {x, x + iconSpace};
}

Rect TitleBandClientRect(const Rect& window, int frameW, int frameH, int bandH) {
    return {window.left + frameW, window.top + frameH + bandH, window.right - frameW,
            window.bottom - frameH};
}

Point PanelOrigin(const Rect& dialog, int panelW, int panelH) {
    return {dialog.left - panelW, dialog.bottom - panelH};
}

Rect ShrinkFromTop(const Rect& window, int d) {
    Rect result = window;
    result.top += d;
    return result;
}
