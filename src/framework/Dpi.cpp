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

void UsePerMonitorDpi() {
    // Looked up as the call is missing before Windows 10; version 2 before its 1703 update.
    using SetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    const auto setContext = reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext")));
    if (setContext && !setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2))
        setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
}
