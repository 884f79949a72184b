#pragma once

#include <string>

// The line an export ends with: what was written and how fast the frames were rendered.
// seconds is the time from the first frame to the last one handed over; 0 or less gives no rate.
std::string ExportSummary(const std::string& output, int frames, int width, int height,
                          double seconds);
