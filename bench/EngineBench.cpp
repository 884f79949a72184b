// The smoothing pass is the inner loop of the saver. Each variant is timed alone and, in the same
// iterations, against a memcpy of exactly the bytes it writes (destination field plus image), so
// the "vs_memcpy" counter says how far the pass is from being bound by memory bandwidth. Whole
// frames are timed for every factory preset at its full population.
#include "engine/SmoothThing.h"
#include "engine/Smoothing.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Size {
    int width, height;
};

const Size kSizes[] = {{1920, 1080}, {3840, 2160}};

enum class Variant { Normal, Fast, NormalDoubled, FastDoubled };

struct VariantInfo {
    Variant variant;
    const char* name;
    bool fast, doubled;
};

const VariantInfo kVariants[] = {
    {Variant::Normal, "Normal", false, false},
    {Variant::Fast, "Fast", true, false},
    {Variant::NormalDoubled, "NormalDoublePixels", false, true},
    {Variant::FastDoubled, "FastDoublePixels", true, true},
};

std::string SizeName(Size s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height);
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void BM_Smoothing(benchmark::State& state, VariantInfo v, Size image) {
    const int w = v.doubled ? image.width / 2 : image.width;
    const int h = v.doubled ? image.height / 2 : image.height;
    const size_t cells = size_t(w + 2) * size_t(h + 2);
    std::vector<uint16_t> src(cells, 0), dst(cells, 0);
    std::vector<uint8_t> pixels(size_t(image.width) * size_t(image.height), 0);
    // A realistic field: values all over 0..255 in the inner cells, the border left at 0.
    SeedRand(1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            src[size_t(y + 1) * size_t(w + 2) + size_t(x + 1)] = uint16_t(Rand() & 255);

    // What the pass writes, and a copy of the same size from separate buffers.
    const size_t fieldBytes = size_t(w) * size_t(h) * sizeof(uint16_t);
    const size_t imageBytes = size_t(w) * size_t(h) * (v.doubled ? 4u : 1u);
    std::vector<uint8_t> copyFieldFrom(fieldBytes, 1), copyFieldTo(fieldBytes, 0);
    std::vector<uint8_t> copyImageFrom(imageBytes, 2), copyImageTo(imageBytes, 0);

    double smoothSeconds = 0, copySeconds = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        SmoothField(src.data(), dst.data(), w, h, pixels.data(), image.width, v.fast, v.doubled);
        benchmark::ClobberMemory();
        auto t1 = Clock::now();
        std::memcpy(copyFieldTo.data(), copyFieldFrom.data(), fieldBytes);
        std::memcpy(copyImageTo.data(), copyImageFrom.data(), imageBytes);
        benchmark::ClobberMemory();
        auto t2 = Clock::now();
        smoothSeconds += Seconds(t0, t1);
        copySeconds += Seconds(t1, t2);
        state.SetIterationTime(Seconds(t0, t1));
    }
    benchmark::DoNotOptimize(dst.data());
    benchmark::DoNotOptimize(pixels.data());
    benchmark::DoNotOptimize(copyFieldTo.data());
    benchmark::DoNotOptimize(copyImageTo.data());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fieldBytes + imageBytes));
    state.counters["memcpy_ms"] = benchmark::Counter(
        copySeconds * 1000 / double(state.iterations()), benchmark::Counter::kDefaults);
    state.counters["vs_memcpy"] = copySeconds > 0 ? smoothSeconds / copySeconds : 0;
}

// The copy alone, for the same byte counts the normal and doubled passes write.
void BM_Memcpy(benchmark::State& state, size_t bytes) {
    std::vector<uint8_t> from(bytes, 1), to(bytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(to.data());
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

// One frame of a factory preset, its whole target population present from the first frame.
void BM_DoFrame(benchmark::State& state, int presetIndex, Size image) {
    MemoryRegStore store;
    Settings settings(store);
    settings.DoublePixels = false;
    settings.FastSmoothing = false;
    settings.m_pCurrentPreset = settings.GetPreset(presetIndex);
    Preset& preset = *settings.m_pCurrentPreset;
    preset.InitialWorms = preset.Worms;
    std::vector<uint8_t> pixels(size_t(image.width) * size_t(image.height), 0);
    SmoothThing engine(image.width, image.height, &settings, false, 1.0);
    SeedRand(12345);
    // Let trails build up and bursts get going before timing.
    for (int frame = 0; frame < 30; ++frame)
        engine.DoFrame(pixels.data(), image.width, false);
    for (auto _ : state) {
        engine.DoFrame(pixels.data(), image.width, false);
        benchmark::ClobberMemory();
    }
    state.counters["worms"] = engine.m_nWorms;
}

void RegisterAll() {
    for (Size size : kSizes) {
        for (const VariantInfo& v : kVariants) {
            benchmark::RegisterBenchmark(
                ("Smoothing/" + std::string(v.name) + "/" + SizeName(size)).c_str(),
                [v, size](benchmark::State& state) { BM_Smoothing(state, v, size); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
        }
        const size_t cells = size_t(size.width) * size_t(size.height);
        const size_t halfCells = size_t(size.width / 2) * size_t(size.height / 2);
        benchmark::RegisterBenchmark(
            ("Memcpy/NormalBytes/" + SizeName(size)).c_str(),
            [cells](benchmark::State& state) { BM_Memcpy(state, cells * 3); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(
            ("Memcpy/DoublePixelsBytes/" + SizeName(size)).c_str(),
            [halfCells](benchmark::State& state) { BM_Memcpy(state, halfCells * 6); })
            ->Unit(benchmark::kMillisecond);
    }
    MemoryRegStore store;
    Settings settings(store);
    for (Size size : kSizes) {
        for (int p = 0; p < int(settings.m_apPresets.size()); ++p) {
            std::string name = settings.m_apPresets[size_t(p)]->Name;
            benchmark::RegisterBenchmark(
                ("DoFrame/" + name + "/" + SizeName(size)).c_str(),
                [p, size](benchmark::State& state) { BM_DoFrame(state, p, size); })
                ->Unit(benchmark::kMillisecond);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    RegisterAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
