#pragma once

#include <windows.h>

#include <string>

// The refresh rate a display runs at now, as the system reports it; 0 or 1 where it says only
// "the hardware's default", which the engine paces as 60. `device` is the name GetMonitorInfo
// gives; empty for the display the desktop is on.
double DeviceRefreshRate(const std::string& device);
// The same for the display showing a monitor.
double MonitorRefreshRate(HMONITOR monitor);
