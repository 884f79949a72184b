#include "engine/RenderStart.h"

RenderStart RenderStart::FullScreen(const Rect& rect, bool cycle) {
    return {rect, false, 1.0, cycle};
}

RenderStart RenderStart::Preview(const Rect& rect, const Rect& screen, bool cycle) {
    return {rect, true, AreaRatio(screen, rect), cycle};
}
