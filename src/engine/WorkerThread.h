#pragma once

#include "engine/AutoResetEvent.h"
#include "engine/FrameCadence.h"

#include <atomic>
#include <cstdint>
#include <future>
#include <mutex>
#include <string>
#include <thread>

class RenderListener;

// The pause after a frame that took `elapsedMs`, so that ticking takes `cpu` percent of the wall
// time; with full-screen pacing lengthened as if the whole screen had been drawn. At most 200 ms.
uint32_t ComputePause(double elapsedMs, int cpu, bool fullScreenPacing, double areaRatio);

// A thread that calls Tick under a lock, then pauses for the CPU share, while it is started.
// It sleeps from construction until Start. The owner calls Kill before deleting it.
class WorkerThread {
public:
    WorkerThread(RenderListener* listener, std::string name);
    virtual ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Start();
    // Returns once the thread sleeps: no Tick runs until the next Start.
    void Stop();
    // Ends the thread, waiting for it at most 2000 ms. Destruction kills too, and then waits for
    // the thread however long it takes, since it uses this object.
    void Kill();
    void SetCpu(int percent);
    void SetAreaRatio(double ratio);
    void SetFullScreenPacing(bool on);
    // At most this many frames per second, the display's refresh rate; 0 for no limit. The
    // processor share still bounds the time spent ticking.
    void SetFrameRate(double hz);
    // Whether anything drawn can be seen. While not, a started worker sleeps without ticking; shown
    // again, it ticks at once and its rate report starts a fresh second.
    void SetShown(bool shown);
    // Only the user-interface thread writes it, so it reads it without the lock.
    bool FullScreenPacing() const { return m_bFullScreenPacing; }

    // Holds every Tick and the subclass's frame state still while the caller edits what a frame
    // reads. Re-entrant: a host takes it and then calls operations that take it again.
    std::unique_lock<std::recursive_mutex> Lock();

protected:
    // One frame; called on the worker thread with the lock held.
    virtual void Tick() = 0;
    // For the subclass's destructor: the thread must not tick into a half-destroyed object.
    void KillAndWait();

    std::string m_strName;
    double m_dAreaRatio = 1.0;

private:
    void Run();
    bool HasEnded() const;

    std::recursive_mutex m_Lock;
    int m_nFrames = 0;
    uint32_t m_dwRateTick = 0;
    int m_nCpu = 50;
    bool m_bFullScreenPacing = false;
    FrameCadence m_cadence;
    std::atomic<bool> m_bShown{true};
    std::atomic<bool> m_bDie{false};
    std::atomic<bool> m_bRunning{false};
    RenderListener* m_pListener;
    AutoResetEvent m_hWakeEvent;
    AutoResetEvent m_hSleepEvent;
    std::promise<void> m_endedPromise;
    std::future<void> m_ended;
    std::thread m_thread;
};
