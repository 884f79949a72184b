#pragma once

#include "editor/DialogGeometry.h"

#include <windows.h>
#include <windowsx.h>

// Between the portable geometry and the system's.
inline RECT ToRECT(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// The pointer position of a mouse message, in the window's client coordinates.
inline Point PointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}
