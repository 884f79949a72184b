#include "linux/FrameExchange.h"

#include <utility>

void FrameExchange::Resize(int width, int height) {
    std::lock_guard lock(m_mutex);
    m_nWidth = width;
    m_nHeight = height;
    for (auto& buffer : m_aBuffers)
        buffer.assign(static_cast<size_t>(width) * height, 0xFF000000u);
    m_bFresh = false;
}

bool FrameExchange::Publish() {
    std::lock_guard lock(m_mutex);
    std::swap(m_nBack, m_nReady);
    bool wasTaken = !m_bFresh;
    m_bFresh = true;
    return wasTaken;
}

bool FrameExchange::Take() {
    std::lock_guard lock(m_mutex);
    if (!m_bFresh)
        return false;
    std::swap(m_nFront, m_nReady);
    m_bFresh = false;
    return true;
}
