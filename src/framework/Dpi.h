#pragma once

#include <windows.h>

// The dots per inch a window is shown at (96 on an unscaled display).
int WindowDpi(HWND hwnd);
// A length given for 96 DPI, in the window's pixels.
int ScaleToWindow(HWND hwnd, int pixels96);
// Makes the calling thread's windows, metrics and drawing work in physical pixels on every
// monitor, however each is scaled. Systems without per-monitor awareness keep what they have.
void UsePerMonitorDpi();
