#include "engine/FrameCadence.h"

double DisplayRefreshRate(double reportedHz) {
    return reportedHz > 1.0 ? reportedHz : 60.0;
}

void FrameCadence::SetRate(double hz, int64_t frequency) {
    const int64_t period = hz > 0.0 ? static_cast<int64_t>(static_cast<double>(frequency) / hz) : 0;
    if (period != m_nPeriod)
        m_bScheduled = false;
    m_nPeriod = period;
}

void FrameCadence::Started(int64_t now) {
    if (m_nPeriod <= 0)
        return;
    if (!m_bScheduled || now - m_nNext >= m_nPeriod)
        m_nNext = now;
    m_nNext += m_nPeriod;
    m_bScheduled = true;
}

int64_t FrameCadence::Remaining(int64_t now) const {
    if (m_nPeriod <= 0 || !m_bScheduled)
        return 0;
    const int64_t left = m_nNext - now;
    return left > 0 ? left : 0;
}
