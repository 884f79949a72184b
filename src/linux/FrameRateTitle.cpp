#include "linux/FrameRateTitle.h"

std::string FrameRateTitle::Format(const std::string& base, int framesPerSecond) {
    return base + " \u2014 " + std::to_string(framesPerSecond) + " fps";
}

std::optional<std::string> FrameRateTitle::Changed() {
    const int reported = m_nReported.load();
    if (reported < 0 || reported == m_nShown)
        return std::nullopt;
    m_nShown = reported;
    return Format(m_strBase, reported);
}
