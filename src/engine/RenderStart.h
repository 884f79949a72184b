#pragma once

#include "support/Rect.h"

// How a host starts a render: where it draws, and whether that is a small preview of the screen,
// which shows fewer particles and is paced as if the whole screen were drawn.
struct RenderStart {
    // The draw area in the host's window; the image has its size.
    Rect rect;
    bool restrictParticles = false;
    // The screen's area over the draw area's; 1.0 unless a preview.
    double areaRatio = 1.0;
    bool cycle = false;

    // Drawing the whole screen, or a window the host treats as one.
    static RenderStart FullScreen(const Rect& rect, bool cycle);
    // A small preview standing for `screen`.
    static RenderStart Preview(const Rect& rect, const Rect& screen, bool cycle);
};
