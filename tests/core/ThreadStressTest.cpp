#include "CountingTarget.h"
#include "engine/FrameTarget.h"
#include "engine/RenderThread.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

// Commands from the user-interface thread while the worker draws: every change is made under the
// lock or through the events, so nothing races and nothing deadlocks.
TEST(ThreadStress, CommandsWhileTheWorkerRuns) {
    MemoryRegStore store;
    Settings settings(store);
    settings.Delay = 0;
    settings.DelayRange = 0;
    settings.TransitionFrames = 2;
    CountingTarget target;
    std::vector<uint8_t> image(40 * 30);
    RenderThread render(&settings, nullptr);

    auto start = std::chrono::steady_clock::now();
    int iterations = 0;
    for (; iterations < 3000; ++iterations) {
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(40))
            break;
        switch (iterations % 6) {
        case 0:
            render.SetAreaRatio(1.0 + iterations % 7);
            render.BeginRender(&target, Rect{0, 0, 40, 30}, image.data(), 40, iterations % 4 == 0,
                               true);
            // Let the worker draw now and then, so commands also meet it mid-frame.
            if (iterations % 60 == 0) {
                int before = target.m_presents;
                auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
                while (target.m_presents == before && std::chrono::steady_clock::now() < until)
                    std::this_thread::yield();
            }
            break;
        case 1:
            settings.CPU = 100 - iterations % 50;
            render.ApplyCpu();
            break;
        case 2:
            render.Stop();
            break;
        case 3:
            render.Start();
            {
                auto lock = render.Lock();
                settings.GetPreset(settings.CurrentPreset)->Worms = iterations % 300;
            }
            render.UpdateTargetWorms();
            break;
        case 4:
            render.SetFullScreenPacing(iterations % 2 == 0);
            render.UpdateTargetWorms();
            break;
        case 5:
            render.EndRender();
            break;
        }
    }
    render.EndRender();
    EXPECT_GE(iterations, 600);
    EXPECT_GT(target.m_presents, 20);
    EXPECT_GT(target.m_loads, 0);
    render.Kill();
}
