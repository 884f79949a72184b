#include "saver/RefreshRate.h"

double DeviceRefreshRate(const std::string& device) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(device.empty() ? nullptr : device.c_str(), ENUM_CURRENT_SETTINGS,
                              &mode))
        return 0.0;
    return mode.dmDisplayFrequency;
}

double MonitorRefreshRate(HMONITOR monitor) {
    MONITORINFOEXA info = {};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return DeviceRefreshRate("");
    return DeviceRefreshRate(info.szDevice);
}
