#include "engine/AutoResetEvent.h"

#include <chrono>

void AutoResetEvent::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_bSignalled = true;
    }
    m_condition.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_bSignalled = false;
}

void AutoResetEvent::Wait() {
    std::unique_lock lock(m_mutex);
    m_condition.wait(lock, [this] { return m_bSignalled; });
    m_bSignalled = false;
}

bool AutoResetEvent::WaitFor(std::chrono::microseconds time) {
    std::unique_lock lock(m_mutex);
    if (!m_condition.wait_for(lock, time, [this] { return m_bSignalled; }))
        return false;
    m_bSignalled = false;
    return true;
}
