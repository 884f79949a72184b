#pragma once

#include <windows.h>

// From the Simple page to the dialog: the preset's name changed.
constexpr UINT UM_CHANGED = WM_USER + 100;
// From the colour picker to the Colors page: the user set a colour, 0x00BBGGRR in lParam.
constexpr UINT UM_COLOR_PICKED = WM_USER + 101;
// From the stop editor to the Colors page: the stops or their selection changed through the
// colours editor; wParam is nonzero when the picker is to show the selected stop's colour.
constexpr UINT UM_STOPS_EDITED = WM_USER + 102;
// Frames drawn in the last second, in wParam; posted from the render thread.
constexpr UINT UM_FRAMERATE = WM_USER + 0x1000;
