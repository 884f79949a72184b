#pragma once

#include <windows.h>

// Something was edited; wParam says what. From a page to the dialog: the preset name changed.
// From a colour control to the Colors page: see ColorsPage::Change.
constexpr UINT UM_CHANGED = WM_USER + 100;
// Frames drawn in the last second, in wParam; posted from the render thread.
constexpr UINT UM_FRAMERATE = WM_USER + 0x1000;
