#include "saver/ScreenMetrics.h"

#include "saver/RefreshRate.h"
#include "support/Trace.h"

#include <windows.h>

namespace {

class SystemMetrics final : public ScreenMetrics {};

// A named callback: the system calls it with its own calling convention, which on 32-bit x86 a
// lambda cannot take.
BOOL CALLBACK CollectMonitor(HMONITOR handle, HDC, LPRECT, LPARAM param) {
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(handle, &info)) {
        const RECT& r = info.rcMonitor;
        reinterpret_cast<std::vector<Monitor>*>(param)->push_back(
            {info.szDevice,
             {r.left, r.top, r.right, r.bottom},
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0,
             DeviceRefreshRate(info.szDevice)});
    }
    return TRUE;
}

} // namespace

int ScreenMetrics::Get(int index) const {
    return GetSystemMetrics(index);
}

std::vector<Monitor> ScreenMetrics::Monitors() const {
    std::vector<Monitor> desk;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&desk));
    if (desk.empty())
        desk.push_back(
            {"", {0, 0, Get(SM_CXSCREEN), Get(SM_CYSCREEN)}, true, DeviceRefreshRate("")});
    return desk;
}

const ScreenMetrics& SystemScreenMetrics() {
    static const SystemMetrics metrics;
    return metrics;
}

void GetFullScreenRect(Rect& rect, const ScreenMetrics& metrics) {
    int monitors = metrics.Get(SM_CMONITORS);
    if (monitors == 0) {
        Trace(TraceInfo, "App: Single monitor system");
        rect = {0, 0, metrics.Get(SM_CXSCREEN), metrics.Get(SM_CYSCREEN)};
        return;
    }
    Trace(TraceInfo, "App: Multi monitor system (%d monitors)", monitors);
    rect.left = metrics.Get(SM_XVIRTUALSCREEN);
    rect.top = metrics.Get(SM_YVIRTUALSCREEN);
    rect.right = rect.left + metrics.Get(SM_CXVIRTUALSCREEN);
    rect.bottom = rect.top + metrics.Get(SM_CYVIRTUALSCREEN);
}

void GetPrimaryRect(Rect& rect, const ScreenMetrics& metrics) {
    rect = {0, 0, metrics.Get(SM_CXSCREEN), metrics.Get(SM_CYSCREEN)};
    if (metrics.Get(SM_CMONITORS) != 0) {
        int x = metrics.Get(SM_XVIRTUALSCREEN);
        int y = metrics.Get(SM_YVIRTUALSCREEN);
        rect.left -= x;
        rect.right -= x;
        rect.top -= y;
        rect.bottom -= y;
    }
}
