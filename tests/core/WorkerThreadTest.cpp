#include "engine/WorkerThread.h"
#include "FakeClock.h"
#include "TestSupport.h"
#include "engine/RenderListener.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

using namespace std::chrono_literals;

namespace {

class CountingWorker final : public WorkerThread {
public:
    explicit CountingWorker(RenderListener* listener = nullptr, int tickMs = 0)
        : WorkerThread(listener, "Counter"), m_tickMs(tickMs) {
        SetCpu(100);
    }
    ~CountingWorker() override { KillAndWait(); }
    std::atomic<int> m_ticks{0};

protected:
    void Tick() override {
        if (m_tickMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_tickMs));
        ++m_ticks;
    }

private:
    int m_tickMs;
};

class RateListener final : public RenderListener {
public:
    void OnFrameRate(int frames) override {
        m_reports++;
        m_lastFrames = frames;
    }
    void OnActivate() override {}
    std::atomic<int> m_reports{0};
    std::atomic<int> m_lastFrames{0};
};

template <typename Predicate> bool WaitUntil(Predicate predicate) {
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(WorkerPacing, PauseGivesTheCpuShareAndIsCappedAt200) {
    EXPECT_EQ(ComputePause(6, 50, false, 1.0), 6u);
    EXPECT_EQ(ComputePause(6, 25, false, 1.0), 18u);
    EXPECT_EQ(ComputePause(6, 10, false, 1.0), 54u);
    EXPECT_EQ(ComputePause(30, 10, false, 1.0), 200u);
    EXPECT_EQ(ComputePause(6, 100, false, 1.0), 0u);
    EXPECT_EQ(ComputePause(6, 60, false, 1.0), 4u);
    EXPECT_EQ(ComputePause(2, 100, true, 46.0), 90u);
    EXPECT_EQ(ComputePause(2, 100, false, 46.0), 0u);
    // Above 100 the pause is negative and, taken as unsigned, capped.
    EXPECT_EQ(ComputePause(6, 150, false, 1.0), 200u);
    // Hand-edited values that would divide by zero or overflow still give a bounded pause.
    EXPECT_EQ(ComputePause(6, 0, false, 1.0), 200u);
    EXPECT_EQ(ComputePause(0, 0, false, 1.0), 200u);
    EXPECT_EQ(ComputePause(1e12, 10, false, 1.0), 200u);
}

TEST(WorkerLifecycle, SleepsUntilStartedAndStopsBetweenTicks) {
    TraceCapture trace;
    CountingWorker worker;
    worker.Stop(); // on a sleeping worker: returns at once
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(worker.m_ticks, 0);

    worker.Start();
    worker.Start();
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > 3; }));
    worker.Stop();
    worker.Stop();
    int ticks = worker.m_ticks;
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(worker.m_ticks, ticks);
    EXPECT_EQ(trace.Count("Counter: Told to start"), 1);
    EXPECT_EQ(trace.Count("Counter: Woken"), 1);
    EXPECT_EQ(trace.Count("Counter: Told to stop"), 1);
    EXPECT_EQ(trace.Count("Counter: Stopped"), 1);

    worker.Start();
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > ticks; }));
    worker.Stop();
    EXPECT_EQ(trace.Count("Counter: Woken"), 2);
}

TEST(WorkerLifecycle, KillEndsARunningWorkerAfterItsTick) {
    TraceCapture trace;
    CountingWorker worker(nullptr, 20);
    worker.Start();
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > 0; }));
    worker.Kill();
    int ticks = worker.m_ticks;
    EXPECT_TRUE(trace.Contains("Counter: Thread told to die"));
    EXPECT_TRUE(trace.Contains("Counter: Thread still active!"));
    EXPECT_TRUE(trace.Contains("Counter: Thread killed"));
    EXPECT_TRUE(trace.Contains("***Counter exited"));
    std::this_thread::sleep_for(60ms);
    EXPECT_EQ(worker.m_ticks, ticks);
    worker.Kill(); // a second kill has nothing left to do
    EXPECT_EQ(trace.Count("Counter: Thread told to die"), 1);
}

TEST(WorkerLifecycle, AKillWithNothingRunningIsQuiet) {
    TraceCapture trace;
    { CountingWorker worker; }
    EXPECT_TRUE(trace.Contains("Counter: Thread killed"));
    EXPECT_FALSE(trace.Contains("Counter: Thread still active!"));
}

TEST(WorkerRateReport, ReportsOnlyAfterMoreThanASecond) {
    FakeClock clock(5000);
    RateListener listener;
    CountingWorker worker(&listener);
    worker.Start();
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > 10; }));
    clock.Advance(1000);
    int before = worker.m_ticks;
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > before + 10; }));
    EXPECT_EQ(listener.m_reports, 0);

    clock.Advance(1);
    ASSERT_TRUE(WaitUntil([&] { return listener.m_reports > 0; }));
    worker.Stop();
    EXPECT_EQ(listener.m_reports, 1);
    EXPECT_GT(listener.m_lastFrames, 10);
}

TEST(WorkerPacing, CadenceKeepsFramesADisplayPeriodApartOnAverage) {
    EXPECT_EQ(DisplayRefreshRate(0), 60.0);
    EXPECT_EQ(DisplayRefreshRate(1), 60.0); // Windows' "hardware default"
    EXPECT_EQ(DisplayRefreshRate(144), 144.0);

    FrameCadence cadence;
    EXPECT_EQ(cadence.Remaining(5), 0);
    cadence.SetRate(50, 1000); // 20 counts a frame
    cadence.Started(0);
    EXPECT_EQ(cadence.Remaining(5), 15);
    // A frame that started late is followed by one due a period after the late one was due.
    cadence.Started(26);
    EXPECT_EQ(cadence.Remaining(26), 14);
    // Late by a whole period: a new schedule, not a burst of catching up.
    cadence.Started(75);
    EXPECT_EQ(cadence.Remaining(75), 20);
    cadence.Restart();
    EXPECT_EQ(cadence.Remaining(76), 0);
    // No limit, and none for frames that no display shows.
    for (double unlimited : {0.0, DisplayRefreshRate(std::numeric_limits<double>::infinity())}) {
        cadence.SetRate(unlimited, 1000);
        cadence.Started(80);
        EXPECT_EQ(cadence.Remaining(80), 0);
    }
}

TEST(WorkerPacing, NeverTicksFasterThanTheFrameRate) {
    CountingWorker worker;
    worker.SetFrameRate(40);
    const auto start = std::chrono::steady_clock::now();
    worker.Start();
    std::this_thread::sleep_for(500ms);
    worker.Stop();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GT(worker.m_ticks, 2);
    // Frames start a 25 ms period apart at the soonest, the first at once.
    EXPECT_LE(worker.m_ticks, int(seconds * 40) + 1);
}

TEST(WorkerVisibility, DrawsNothingUnseenAndResumesWithAFreshRateReport) {
    TraceCapture trace;
    FakeClock clock(5000);
    RateListener listener;
    CountingWorker worker(&listener);
    worker.Start();
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > 3; }));
    worker.SetShown(false);
    ASSERT_TRUE(WaitUntil([&] { return trace.Contains("Counter: Hidden"); }));
    std::this_thread::sleep_for(30ms); // the tick under way when hidden ends
    const int hiddenAt = worker.m_ticks;
    clock.Advance(5000);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(worker.m_ticks, hiddenAt);
    EXPECT_EQ(listener.m_reports, 0);

    // Shown again, it ticks at once; the unseen seconds count toward no report.
    worker.SetShown(true);
    ASSERT_TRUE(WaitUntil([&] { return worker.m_ticks > hiddenAt + 10; }));
    EXPECT_EQ(listener.m_reports, 0);
    clock.Advance(1001);
    ASSERT_TRUE(WaitUntil([&] { return listener.m_reports > 0; }));
    EXPECT_GT(listener.m_lastFrames, 10);

    // A stop and a later start while unseen draw nothing either.
    worker.SetShown(false);
    worker.Stop();
    const int stoppedAt = worker.m_ticks;
    worker.Start();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(worker.m_ticks, stoppedAt);
    worker.Stop();
}
