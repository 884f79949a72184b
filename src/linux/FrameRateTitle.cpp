#include "linux/FrameRateTitle.h"

// An ASCII dash: under a C locale SDL drops a title it cannot convert from the window
// manager's name property altogether.
std::string FrameRateTitle::Format(const std::string& base, int framesPerSecond) {
    return base + " - " + std::to_string(framesPerSecond) + " fps";
}

std::optional<std::string> FrameRateTitle::Changed() {
    const int reported = m_nReported.load();
    if (reported < 0 || reported == m_nShown)
        return std::nullopt;
    m_nShown = reported;
    return Format(m_strBase, reported);
}
