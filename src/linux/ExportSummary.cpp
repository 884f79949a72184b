#include "linux/ExportSummary.h"

#include <cstdio>

std::string ExportSummary(const std::string& output, int frames, int width, int height,
                          double seconds) {
    char rate[96];
    if (seconds > 0)
        std::snprintf(rate, sizeof rate, "in %.2f s, %.1f frames per second", seconds,
                      frames / seconds);
    else
        std::snprintf(rate, sizeof rate, "too fast to time");
    return "wrote " + output + ": " + std::to_string(frames) + " frames of " +
           std::to_string(width) + "x" + std::to_string(height) + " rendered " + rate;
}
