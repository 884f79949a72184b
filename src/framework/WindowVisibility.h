#pragma once

#include <windows.h>

// Whether anything a window draws can be seen: the window and its parents are visible, its
// top-level window is not minimized and the display is powered (a dimmed display still shows).
// The system tells the window of the display's power when it asks, and at every change.
class WindowVisibility {
public:
    WindowVisibility() = default;
    ~WindowVisibility();
    WindowVisibility(const WindowVisibility&) = delete;
    WindowVisibility& operator=(const WindowVisibility&) = delete;

    // Asks for the display's power to be told to `window` through WM_POWERBROADCAST. Where the
    // system cannot tell, the display counts as always on.
    void Watch(HWND window);
    void Unwatch();
    // Takes a WM_POWERBROADCAST's parameters; true when they told of the display's power.
    bool OnPowerBroadcast(WPARAM wParam, LPARAM lParam);

    bool DisplayOn() const { return m_bDisplayOn; }
    bool CanBeSeen(HWND window) const;

private:
    HANDLE m_hNotify = nullptr;
    bool m_bDisplayOn = true;
};
