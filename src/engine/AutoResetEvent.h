#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

// An event that releases exactly one waiter per Set and then resets itself, as a Windows
// auto-reset event does. A Set with no waiter is remembered until the next wait.
class AutoResetEvent {
public:
    void Set();
    void Reset();
    void Wait();
    // True when the event was set within the time, false on time-out.
    bool WaitFor(std::chrono::microseconds time);

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_bSignalled = false;
};
