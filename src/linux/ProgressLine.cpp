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
        total > 0 ? static_cast<int>(static_cast<long long>(done) * BarWidth / total) : BarWidth;
    std::string line = "[" + std::string(filled, '#') + std::string(BarWidth - filled, ' ') + "] " +
                       std::to_string(done) + "/" + std::to_string(total) + "  " +
                       ClockText(elapsedSeconds) + " elapsed, ";
    if (done <= 0)
        return line + "time left unknown";
    return line + ClockText(elapsedSeconds * (total - done) / done) + " left";
}
