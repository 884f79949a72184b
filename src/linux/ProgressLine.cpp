#include "linux/ProgressLine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string ClockText(double seconds) {
    const long long whole = std::llround(std::max(seconds, 0.0));
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

std::string ProgressLine(int done, int total, double elapsedSeconds) {
    constexpr int BarWidth = 30;
    const int filled =
        total > 0 ? std::clamp(static_cast<int>(static_cast<long long>(done) * BarWidth / total), 0,
                               BarWidth)
                  : BarWidth;
    const std::string left = done > 0 ? ClockText(elapsedSeconds * (total - done) / done) + " left"
                                      : std::string("time left unknown");
    char line[160];
    std::snprintf(line, sizeof line, "[%.*s%*s] %d/%d  %s elapsed, %s", filled,
                  "##############################", BarWidth - filled, "", done, total,
                  ClockText(elapsedSeconds).c_str(), left.c_str());
    return line;
}
