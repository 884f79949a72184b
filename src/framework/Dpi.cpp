#include "framework/Dpi.h"

#include "editor/DialogGeometry.h"

int WindowDpi(HWND hwnd) {
    // Per-window DPI needs Windows 10; older systems have one DPI for the whole screen.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && hwnd)
        if (UINT dpi = getDpiForWindow(hwnd))
            return static_cast<int>(dpi);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int ScaleToWindow(HWND hwnd, int pixels96) {
    return ScaleForDpi(pixels96, WindowDpi(hwnd));
}
