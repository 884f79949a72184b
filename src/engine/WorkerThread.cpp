#include "engine/WorkerThread.h"

#include "engine/RenderListener.h"
#include "support/Clock.h"
#include "support/Trace.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace {

// Truncates toward zero into 32 bits. Values that do not fit (a CPU of 0 divides by zero) become
// the most negative int, which like every negative pause is capped at 200 below.
int32_t TruncateTo32(double value) {
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

} // namespace

uint32_t ComputePause(double elapsedMs, int cpu, bool fullScreenPacing, double areaRatio) {
    double share = cpu * 0.01;
    int32_t pause = TruncateTo32(elapsedMs / share - elapsedMs);
    if (fullScreenPacing) {
        int32_t extra = TruncateTo32((areaRatio - 1.0) * elapsedMs);
        pause = static_cast<int32_t>(static_cast<uint32_t>(pause) + static_cast<uint32_t>(extra));
    }
    // Taken as unsigned, a negative pause (CPU above 100) is huge and capped like any other.
    auto unsignedPause = static_cast<uint32_t>(pause);
    return unsignedPause > 200 ? 200 : unsignedPause;
}

WorkerThread::WorkerThread(RenderListener* listener, std::string name)
    : m_strName(std::move(name)), m_dwRateTick(GetClock().TickCount()), m_pListener(listener),
      m_ended(m_endedPromise.get_future()) {
    m_thread = std::thread([this] { Run(); });
}

WorkerThread::~WorkerThread() {
    KillAndWait();
}

void WorkerThread::KillAndWait() {
    Kill();
    // A thread that outlived Kill's wait still uses this object: never free it under its feet.
    if (m_thread.joinable())
        m_thread.join();
}

bool WorkerThread::HasEnded() const {
    return m_ended.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void WorkerThread::Start() {
    if (m_bRunning)
        return;
    {
        std::lock_guard lock(m_Lock);
        Trace(TraceInfo, "%s: Told to start", m_strName.c_str());
        m_bRunning = true;
        m_hSleepEvent.Reset();
    }
    m_hWakeEvent.Set();
}

void WorkerThread::Stop() {
    if (!m_bRunning)
        return;
    {
        std::lock_guard lock(m_Lock);
        Trace(TraceInfo, "%s: Told to stop", m_strName.c_str());
        m_bRunning = false;
    }
    // Ends the pause, or the wait of a worker nobody sees, at once.
    m_hWakeEvent.Set();
    m_hSleepEvent.Wait();
    Trace(TraceInfo, "%s: Stopped", m_strName.c_str());
}

void WorkerThread::Kill() {
    if (HasEnded())
        return;
    {
        std::lock_guard lock(m_Lock);
        Trace(TraceInfo, "%s: Thread told to die", m_strName.c_str());
        if (m_bRunning)
            Trace(TraceFault, "%s: Thread still active!", m_strName.c_str());
        m_bDie = true;
    }
    m_hWakeEvent.Set();
    if (m_ended.wait_for(std::chrono::milliseconds(2000)) == std::future_status::ready) {
        Trace(TraceInfo, "%s: Thread killed", m_strName.c_str());
    } else {
        Trace(TraceNotice, "%s: Timed out on die request", m_strName.c_str());
    }
}

std::unique_lock<std::recursive_mutex> WorkerThread::Lock() {
    return std::unique_lock(m_Lock);
}

void WorkerThread::SetCpu(int percent) {
    std::lock_guard lock(m_Lock);
    m_nCpu = percent;
}

void WorkerThread::SetAreaRatio(double ratio) {
    std::lock_guard lock(m_Lock);
    m_dAreaRatio = ratio;
}

void WorkerThread::SetFullScreenPacing(bool on) {
    std::lock_guard lock(m_Lock);
    m_bFullScreenPacing = on;
}

void WorkerThread::SetFrameRate(double hz) {
    std::lock_guard lock(m_Lock);
    m_cadence.SetRate(hz, GetClock().HighResFrequency());
}

void WorkerThread::SetShown(bool shown) {
    if (m_bShown.exchange(shown) == shown)
        return;
    Trace(TraceInfo, "%s: %s", m_strName.c_str(), shown ? "Shown" : "Hidden");
    m_hWakeEvent.Set();
}

void WorkerThread::Run() {
    Clock& clock = GetClock();
    Trace(TraceInfo, "***%s started", m_strName.c_str());
    double countsPerMs = static_cast<double>(clock.HighResFrequency()) * 0.001;
    m_dwRateTick = clock.TickCount();
    m_nFrames = 0;
    for (;;) {
        if (m_bDie) {
            Trace(TraceInfo, "***%s exited", m_strName.c_str());
            break;
        }
        if (!m_bRunning) {
            m_hSleepEvent.Set();
            Trace(TraceInfo, "%s: Sleeping", m_strName.c_str());
            m_hWakeEvent.Wait();
            // A Stop's wake-up can arrive after the sleep began: then the worker sleeps again.
            if (m_bRunning || m_bDie)
                Trace(TraceInfo, "%s: Woken", m_strName.c_str());
            continue;
        }
        if (!m_bShown) {
            // Nobody can see a frame: wait for a change of that, a stop or the end.
            m_hWakeEvent.Wait();
            if (m_bShown) {
                std::lock_guard lock(m_Lock);
                m_cadence.Restart();
                m_nFrames = 0;
                m_dwRateTick = clock.TickCount();
            }
            continue;
        }
        int64_t t0 = clock.HighResCounter();
        int cpu;
        bool fullScreenPacing;
        double areaRatio;
        int64_t untilDue;
        {
            std::lock_guard lock(m_Lock);
            m_cadence.Started(t0);
            Tick();
            cpu = m_nCpu;
            fullScreenPacing = m_bFullScreenPacing;
            areaRatio = m_dAreaRatio;
            untilDue = m_cadence.Remaining(clock.HighResCounter());
        }
        ++m_nFrames;
        if (m_pListener && clock.TickCount() - m_dwRateTick > 1000) {
            m_pListener->OnFrameRate(m_nFrames);
            m_nFrames = 0;
            m_dwRateTick = clock.TickCount();
        }
        int64_t t1 = clock.HighResCounter();
        double elapsed = static_cast<double>(t1 - t0) / countsPerMs;
        const auto sharePause =
            std::chrono::milliseconds(ComputePause(elapsed, cpu, fullScreenPacing, areaRatio));
        const auto refreshPause =
            std::chrono::microseconds(untilDue * 1000000 / clock.HighResFrequency());
        m_hWakeEvent.WaitFor(std::max<std::chrono::microseconds>(sharePause, refreshPause));
    }
    m_endedPromise.set_value();
}
