#pragma once

// One whole tick of the render thread drawing a desk: every monitor's engine frame and the Linux
// host's present of it, monitor after monitor on the one thread, as the saver draws all monitors.
// The worker never starts; the benchmark ticks by hand under the render's lock, so what is timed
// is the render thread's own Tick and nothing of its pacing.
#include "ExpansionHost.h"
#include "SmoothingBench.h"
#include "engine/RenderThread.h"
#include "engine/WorkerThread.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace bench {

// The render desks of the tick table: each monitor alone, then one more at a time.
inline const std::vector<Desk> kTickDesks = {
    {{1920, 1080}},
    {{2560, 1440}},
    {{1280, 1024}},
    {{1920, 1080}, {2560, 1440}},
    {{1920, 1080}, {2560, 1440}, {1280, 1024}},
};

// The saver's own settings but for the filter and the worm count, which are those of the other
// tables, so that a desk's tick lines up with its whole-frame row.
class DeskTickCase {
public:
    explicit DeskTickCase(const Desk& desk) : m_settings(m_store), m_render(&m_settings, nullptr) {
        m_settings.DoublePixels = false;
        m_settings.FastSmoothing = false;
        m_settings.SelectPreset(m_settings.CurrentPreset);
        m_settings.m_pCurrentPreset->Worms = kFrameWorms;
        m_settings.m_pCurrentPreset->InitialWorms = kFrameWorms;
        std::vector<RenderView> views;
        int left = 0;
        for (Size size : desk) {
            m_hosts.push_back(std::make_unique<ExpansionHost>(size.width, size.height));
            ExpansionHost& host = *m_hosts.back();
            views.push_back(
                {&host, Rect{left, 0, left + size.width, size.height}, host.Image(), host.Pitch()});
            left += size.width;
        }
        SeedRand(12345);
        m_render.SetViews(views);
        for (int tick = 0; tick < 30; ++tick)
            Tick();
    }

    double Tick() {
        auto lock = m_render.Lock();
        const auto t0 = Clock::now();
        m_render.Tick();
        return Seconds(t0, Clock::now());
    }

private:
    MemoryRegStore m_store;
    Settings m_settings;
    std::vector<std::unique_ptr<ExpansionHost>> m_hosts;
    // After the hosts it draws on, so that it goes first.
    RenderThread m_render;
};

struct TickRow {
    Desk desk;
    double tickMs;
};

// What the worker's pacing makes of ticks of tickMs at this processor share on a display of
// kRefreshHz: frames a second, and the share of one core taken, the pause being whole
// milliseconds or what is left of the display's period, whichever is longer.
struct Pacing {
    double fps, corePercent;
};

constexpr double kRefreshHz = 60.0;

inline Pacing Paced(double tickMs, int cpu) {
    const double period =
        std::max(tickMs + ComputePause(tickMs, cpu, false, 1.0), 1000.0 / kRefreshHz);
    return {1000.0 / period, 100.0 * tickMs / period};
}

// alone: the sum of the ticks of the desk's monitors each drawn alone, from the rows of one
// monitor. one: one render thread for the whole desk; own: a thread per monitor, each paced on its
// own tick alone, cores allowing: the frame rate of the slowest monitor and the threads' shares
// summed, in percent of one core.
inline void PrintTickTable(const std::vector<TickRow>& rows, const std::string& preset, int cpu) {
    std::map<std::string, double> alone;
    for (const TickRow& r : rows)
        if (r.desk.size() == 1)
            alone[DeskName(r.desk)] = r.tickMs;
    std::printf("\nOne tick of the render thread: every monitor's DoFrame and the hand-over of its "
                "8-bit image with its palette in turn; %s, normal filter, %d worms asked for on "
                "each monitor; "
                "paced at the default processor share of %d%% on %.0f Hz displays by one thread "
                "for the desk (one) or a thread per monitor (own; cpu: their shares summed, %% of "
                "one core)\n",
                preset.c_str(), kFrameWorms, cpu, kRefreshHz);
    std::printf("%-30s %5s %9s %9s %11s %8s %8s %8s %8s\n", "monitors", "views", "tick ms",
                "alone ms", "tick/alone", "one fps", "one cpu", "own fps", "own cpu");
    for (const TickRow& r : rows) {
        // Left at 0 when a monitor's own row was not run.
        double sum = 0;
        Pacing own = {0, 0};
        for (Size s : r.desk) {
            const auto it = alone.find(SizeName(s));
            if (it == alone.end()) {
                sum = 0;
                own = {0, 0};
                break;
            }
            sum += it->second;
            const Pacing monitor = Paced(it->second, cpu);
            own.fps = own.fps > 0 ? std::min(own.fps, monitor.fps) : monitor.fps;
            own.corePercent += monitor.corePercent;
        }
        const Pacing one = Paced(r.tickMs, cpu);
        std::printf("%-30s %5zu %9.3f %9.3f %11.2f %8.1f %7.0f%% %8.1f %7.0f%%\n",
                    DeskName(r.desk).c_str(), r.desk.size(), r.tickMs, sum,
                    sum > 0 ? r.tickMs / sum : 0, one.fps, one.corePercent, own.fps,
                    own.corePercent);
    }
}

} // namespace bench
