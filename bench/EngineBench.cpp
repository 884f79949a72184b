// The smoothing pass is the inner loop of the saver. Every kernel set this processor can run is
// timed for each filter at full HD and 4K against a memcpy of exactly the bytes it writes; whole
// frames of each factory preset are timed against the pass alone, and with the host's present on
// one screen and on a desk of two monitors against a memcpy; and the render thread's whole tick
// for desks of one to three monitors. The results are printed as tables at the end rather than
// run by run.
#include "DeskTick.h"
#include "ExpansionHost.h"
#include "SmoothingBench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace bench;

void BM_Smoothing(benchmark::State& state, SmoothKernel kernel, SmoothKernel reference, Size image,
                  Filter filter) {
    SmoothingCase c(image, filter);
    c.Iterate(kernel, reference);
    Samples samples;
    for (auto _ : state) {
        const IterationTimes t = c.Iterate(kernel, reference);
        samples.Add(t);
        state.SetIterationTime(t.pass);
    }
    const IterationTimes ms = samples.MedianMs();
    state.counters["pass_ms"] = ms.pass;
    state.counters["memcpy_ms"] = ms.copy;
    state.counters["reference_ms"] = ms.reference;
}

void BM_Frame(benchmark::State& state, int presetIndex) {
    FrameCase c(presetIndex);
    Samples samples;
    for (auto _ : state) {
        const IterationTimes t = c.Iterate();
        samples.Add(t);
        state.SetIterationTime(t.pass + t.copy);
    }
    const IterationTimes ms = samples.MedianMs();
    state.counters["frame_ms"] = ms.pass;
    state.counters["smooth_ms"] = ms.copy;
    state.counters["worms"] = c.Worms();
    state.counters["objects"] = FrameCase::LiveObjects();
}

void BM_Road(benchmark::State& state, int presetIndex, const Desk& desk) {
    FrameRoadCase<ExpansionHost> c(presetIndex, desk);
    Samples samples;
    for (auto _ : state) {
        const IterationTimes t = c.Iterate();
        samples.Add(t);
        state.SetIterationTime(t.pass + t.reference);
    }
    const IterationTimes ms = samples.MedianMs();
    state.counters["frame_ms"] = ms.pass;
    state.counters["present_ms"] = ms.reference;
    state.counters["memcpy_ms"] = ms.copy;
    state.counters["texture"] = c.Host().IntoTexture();
}

void BM_Tick(benchmark::State& state, const Desk& desk) {
    DeskTickCase c(desk);
    Samples samples;
    for (auto _ : state) {
        const double t = c.Tick();
        samples.Add({t});
        state.SetIterationTime(t);
    }
    state.counters["tick_ms"] = samples.MedianMs().pass;
}

// Collects the runs by registered name and prints the tables once all have run.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    std::map<std::string, SmoothingRow> smoothing;
    std::vector<std::string> smoothingOrder;
    std::map<std::string, FrameRow> frames;
    std::vector<std::string> frameOrder;
    std::map<std::string, RoadRow> roads;
    std::vector<std::string> roadOrder;
    std::map<std::string, TickRow> ticks;
    std::vector<std::string> tickOrder;
    bool intoTexture = false;

    bool ReportContext(const Context& context) override {
        std::printf("%d CPUs at %.0f MHz; smoothing kernels used by the engine: %s\n",
                    context.cpu_info.num_cpus, context.cpu_info.cycles_per_second / 1e6,
                    AvailableSmoothingVariants().back().name);
        std::fflush(stdout);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            if (auto s = smoothing.find(name); s != smoothing.end()) {
                s->second.passMs = Value(run, "pass_ms");
                s->second.memcpyMs = Value(run, "memcpy_ms");
                s->second.referenceMs = Value(run, "reference_ms");
            } else if (auto f = frames.find(name); f != frames.end()) {
                f->second.frameMs = Value(run, "frame_ms");
                f->second.smoothMs = Value(run, "smooth_ms");
                f->second.worms = int(Value(run, "worms"));
                f->second.objects = int(Value(run, "objects"));
            } else if (auto r = roads.find(name); r != roads.end()) {
                r->second.frameMs = Value(run, "frame_ms");
                r->second.presentMs = Value(run, "present_ms");
                r->second.memcpyMs = Value(run, "memcpy_ms");
                intoTexture = Value(run, "texture") > 0;
            } else if (auto t = ticks.find(name); t != ticks.end()) {
                t->second.tickMs = Value(run, "tick_ms");
            }
            std::fprintf(stderr, ".");
        }
    }

    void Finalize() override {
        std::fprintf(stderr, "\n");
        std::vector<SmoothingRow> rows;
        for (const std::string& name : smoothingOrder)
            if (smoothing[name].passMs > 0)
                rows.push_back(smoothing[name]);
        PrintSmoothingTable(rows);
        std::vector<FrameRow> frameRows;
        for (const std::string& name : frameOrder)
            if (frames[name].frameMs > 0)
                frameRows.push_back(frames[name]);
        PrintFrameTable(frameRows);
        std::vector<RoadRow> roadRows;
        for (const std::string& name : roadOrder)
            if (roads[name].frameMs > 0)
                roadRows.push_back(roads[name]);
        PrintRoadTable(roadRows,
                       "present: the worker's copy of the 8-bit image and its palette, then the "
                       "window's thread's expansion through the palette straight into the locked "
                       "streaming texture",
                       "the copy and the texture's pixels", nullptr);
        std::printf("The texture: %s; SDL_LockTexture, the expansion, SDL_UnlockTexture, no "
                    "SDL_UpdateTexture\n",
                    intoTexture ? "ARGB8888 streaming on the software renderer of SDL's dummy "
                                  "video driver"
                                : "plain memory, as SDL would not start here");
        std::vector<TickRow> tickRows;
        for (const std::string& name : tickOrder)
            if (ticks[name].tickMs > 0)
                tickRows.push_back(ticks[name]);
        MemoryRegStore store;
        Settings settings(store);
        PrintTickTable(tickRows, settings.GetPreset(settings.CurrentPreset)->Name, settings.CPU);
    }

private:
    static double Value(const Run& run, const char* counter) {
        const auto it = run.counters.find(counter);
        return it == run.counters.end() ? 0 : double(it->second);
    }
};

void RegisterAll(TableReporter& table) {
    for (Size size : kSizes) {
        for (const Filter& filter : kFilters) {
            for (const SmoothingVariant& v : AvailableSmoothingVariants()) {
                const std::string name =
                    "Smoothing/" + std::string(filter.name) + "/" + SizeName(size) + "/" + v.name;
                SmoothKernel kernel = v.Kernel(filter.fast, filter.doubled);
                SmoothKernel reference =
                    AvailableSmoothingVariants().front().Kernel(filter.fast, filter.doubled);
                benchmark::RegisterBenchmark(
                    name.c_str(),
                    [kernel, reference, size, filter](benchmark::State& state) {
                        BM_Smoothing(state, kernel, reference, size, filter);
                    })
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
                const Size field = filter.doubled ? Size{size.width / 2, size.height / 2} : size;
                table.smoothing[name] = {v.name, filter.name, SizeName(size), SizeName(field), 0, 0,
                                         0};
                table.smoothingOrder.push_back(name);
            }
        }
    }
    for (int p = 0; p < FrameCase::PresetCount(); ++p) {
        MemoryRegStore store;
        Settings settings(store);
        const std::string preset = settings.m_apPresets[size_t(p)]->Name;
        const std::string name = "DoFrame/" + preset + "/" + SizeName(kFrameSize);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [p](benchmark::State& state) { BM_Frame(state, p); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        table.frames[name] = {preset, 0, 0, 0, 0};
        table.frameOrder.push_back(name);
    }
    for (const Desk& desk : kRoadDesks) {
        for (int p = 0; p < FrameCase::PresetCount(); ++p) {
            MemoryRegStore store;
            Settings settings(store);
            const std::string preset = settings.m_apPresets[size_t(p)]->Name;
            const std::string name = "Road/" + preset + "/" + DeskName(desk);
            benchmark::RegisterBenchmark(
                name.c_str(), [p, desk](benchmark::State& state) { BM_Road(state, p, desk); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            table.roads[name] = {preset, DeskName(desk), 0, 0, 0, 0};
            table.roadOrder.push_back(name);
        }
    }
    for (const Desk& desk : kTickDesks) {
        const std::string name = "Tick/" + DeskName(desk);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [desk](benchmark::State& state) { BM_Tick(state, desk); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
        table.ticks[name] = {desk, 0};
        table.tickOrder.push_back(name);
    }
}

} // namespace

int main(int argc, char** argv) {
    TableReporter table;
    RegisterAll(table);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    return 0;
}
