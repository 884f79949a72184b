// The smoothing pass is the inner loop of the saver. Every kernel set this processor can run is
// timed for each filter at full HD and 4K against a memcpy of exactly the bytes it writes, and
// whole frames of each factory preset are timed against the pass alone. The results are printed
// as two tables at the end rather than run by run.
#include "SmoothingBench.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace bench;

void BM_Smoothing(benchmark::State& state, SmoothKernel kernel, Size image, Filter filter) {
    SmoothingCase c(image, filter);
    c.Iterate(kernel);
    double passSeconds = 0, copySeconds = 0;
    for (auto _ : state) {
        const IterationTimes t = c.Iterate(kernel);
        passSeconds += t.pass;
        copySeconds += t.copy;
        state.SetIterationTime(t.pass);
    }
    const double n = double(state.iterations());
    state.counters["pass_ms"] = passSeconds * 1000 / n;
    state.counters["memcpy_ms"] = copySeconds * 1000 / n;
}

void BM_Frame(benchmark::State& state, int presetIndex) {
    FrameCase c(presetIndex);
    double frameSeconds = 0, smoothSeconds = 0;
    for (auto _ : state) {
        const IterationTimes t = c.Iterate();
        frameSeconds += t.pass;
        smoothSeconds += t.copy;
        state.SetIterationTime(t.pass + t.copy);
    }
    const double n = double(state.iterations());
    state.counters["frame_ms"] = frameSeconds * 1000 / n;
    state.counters["smooth_ms"] = smoothSeconds * 1000 / n;
    state.counters["worms"] = c.Worms();
    state.counters["objects"] = FrameCase::LiveObjects();
}

// Collects the runs by registered name and prints the tables once all have run.
class TableReporter : public benchmark::BenchmarkReporter {
public:
    std::map<std::string, SmoothingRow> smoothing;
    std::vector<std::string> smoothingOrder;
    std::map<std::string, FrameRow> frames;
    std::vector<std::string> frameOrder;

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
            } else if (auto f = frames.find(name); f != frames.end()) {
                f->second.frameMs = Value(run, "frame_ms");
                f->second.smoothMs = Value(run, "smooth_ms");
                f->second.worms = int(Value(run, "worms"));
                f->second.objects = int(Value(run, "objects"));
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
                benchmark::RegisterBenchmark(name.c_str(),
                                             [kernel, size, filter](benchmark::State& state) {
                                                 BM_Smoothing(state, kernel, size, filter);
                                             })
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
                const Size field = filter.doubled ? Size{size.width / 2, size.height / 2} : size;
                table.smoothing[name] = {v.name,          filter.name, SizeName(size),
                                         SizeName(field), 0,           0};
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
