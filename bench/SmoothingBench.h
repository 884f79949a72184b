#pragma once

// What the engine benchmarks measure and how they print it, shared by the Google Benchmark
// program and the plain one built for Windows (where that library is not available).
//
// Each smoothing pass is timed together with, in the same iteration, a memcpy of exactly the
// bytes the pass writes (destination field plus image) between separate buffers, and the reference
// kernel on the same field: the ratios say how far the pass is from running at memory speed, and
// how much faster than the reference it is, on this machine at this moment. Another process
// slowing the machine down slows all three alike.
#include "behaviours/WormGlobals.h"
#include "engine/SmoothThing.h"
#include "engine/Smoothing.h"
#include "settings/Preset.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace bench {

struct Size {
    int width, height;
};

inline const Size kSizes[] = {{1920, 1080}, {3840, 2160}};
inline const Size kFrameSize = {1920, 1080};
constexpr int kFrameWorms = 500;

struct Filter {
    const char* name;
    bool fast, doubled;
};

inline const Filter kFilters[] = {
    {"Normal", false, false},
    {"Fast", true, false},
    {"NormalDoublePixels", false, true},
    {"FastDoublePixels", true, true},
};

inline std::string SizeName(Size s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height);
}

// The monitors one render thread draws: a single screen, or a desk of several.
using Desk = std::vector<Size>;

// The whole-frame table: each size alone, and a desk of two monitors.
inline const std::vector<Desk> kRoadDesks = {
    {{1920, 1080}}, {{3840, 2160}}, {{1920, 1080}, {2560, 1440}}};

inline std::string DeskName(const Desk& desk) {
    std::string name;
    for (Size s : desk) {
        if (!name.empty())
            name += '+';
        name += SizeName(s);
    }
    return name;
}

// Keeps the compiler from dropping or moving stores into buffers nothing reads afterwards.
inline void Escape(const void* p) {
#if defined(__GNUC__)
    asm volatile("" : : "r"(p) : "memory");
#else
    static const void* volatile sink;
    sink = p;
#endif
}

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

struct IterationTimes {
    double pass = 0, copy = 0, reference = 0, extra = 0;
};

// The times of every iteration of one case. The tables print medians: a burst of another
// process's work lands in a few iterations and moves a mean far more than a median.
class Samples {
public:
    void Add(const IterationTimes& t) {
        m_pass.push_back(t.pass);
        m_copy.push_back(t.copy);
        m_reference.push_back(t.reference);
        m_extra.push_back(t.extra);
    }
    size_t Count() const { return m_pass.size(); }
    IterationTimes MedianMs() const {
        return {Median(m_pass) * 1000, Median(m_copy) * 1000, Median(m_reference) * 1000,
                Median(m_extra) * 1000};
    }

private:
    static double Median(std::vector<double> v) {
        if (v.empty())
            return 0;
        const auto middle = v.begin() + std::ptrdiff_t(v.size() / 2);
        std::nth_element(v.begin(), middle, v.end());
        return *middle;
    }

    std::vector<double> m_pass, m_copy, m_reference, m_extra;
};

// One image size and filter: a field of values all over 0..255 with its zero border, and the
// buffers for the pass and for the copy of the same number of bytes.
class SmoothingCase {
public:
    SmoothingCase(Size image, Filter filter)
        : m_image(image), m_filter(filter), m_width(filter.doubled ? image.width / 2 : image.width),
          m_height(filter.doubled ? image.height / 2 : image.height), m_src(Cells(), 0),
          m_dst(Cells(), 0), m_pixels(size_t(image.width) * size_t(image.height), 0),
          m_fieldBytes(size_t(m_width) * size_t(m_height) * sizeof(uint16_t)),
          m_imageBytes(size_t(m_width) * size_t(m_height) * (filter.doubled ? 4u : 1u)),
          m_copyFieldFrom(m_fieldBytes, 1), m_copyFieldTo(m_fieldBytes, 0),
          m_copyImageFrom(m_imageBytes, 2), m_copyImageTo(m_imageBytes, 0) {
        SeedRand(1);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                m_src[size_t(y + 1) * size_t(m_width + 2) + size_t(x + 1)] = uint16_t(Rand() & 255);
    }

    // The kernel, the copy and the reference; every other iteration the reference goes first, so
    // that neither pass always finds the caches as the other left them.
    IterationTimes Iterate(SmoothKernel kernel, SmoothKernel reference) {
        IterationTimes t;
        const bool referenceFirst = (m_nIteration++ & 1) != 0;
        if (referenceFirst)
            t.reference = Pass(reference);
        t.pass = Pass(kernel);
        const auto t0 = Clock::now();
        std::memcpy(m_copyFieldTo.data(), m_copyFieldFrom.data(), m_fieldBytes);
        std::memcpy(m_copyImageTo.data(), m_copyImageFrom.data(), m_imageBytes);
        Escape(m_copyFieldTo.data());
        Escape(m_copyImageTo.data());
        t.copy = Seconds(t0, Clock::now());
        if (!referenceFirst)
            t.reference = Pass(reference);
        return t;
    }

    std::string FieldName() const { return SizeName({m_width, m_height}); }

private:
    size_t Cells() const { return size_t(m_width + 2) * size_t(m_height + 2); }

    double Pass(SmoothKernel kernel) {
        const auto t0 = Clock::now();
        kernel(m_src.data(), m_dst.data(), m_width, m_height, m_pixels.data(), m_image.width);
        Escape(m_dst.data());
        Escape(m_pixels.data());
        return Seconds(t0, Clock::now());
    }

    Size m_image;
    Filter m_filter;
    int m_width, m_height;
    std::vector<uint16_t> m_src, m_dst;
    std::vector<uint8_t> m_pixels;
    size_t m_fieldBytes, m_imageBytes;
    std::vector<uint8_t> m_copyFieldFrom, m_copyFieldTo, m_copyImageFrom, m_copyImageTo;
    unsigned m_nIteration = 0;
};

// One factory preset with kFrameWorms worms, normal filter, no DoublePixels, drawing into the
// caller's image; trails built up and bursts going before anything is timed.
class PresetEngine {
public:
    PresetEngine(int presetIndex, Size size, uint8_t* image, int pitch)
        : m_settings(m_store), m_image(image), m_nPitch(pitch) {
        m_settings.DoublePixels = false;
        m_settings.FastSmoothing = false;
        m_settings.SelectPreset(presetIndex);
        Preset& preset = *m_settings.m_pCurrentPreset;
        m_name = preset.Name;
        preset.Worms = kFrameWorms;
        preset.InitialWorms = kFrameWorms;
        m_settings.FillPresetPalette(&preset, m_palette);
        m_engine = std::make_unique<SmoothThing>(size.width, size.height, &m_settings, false, 1.0);
        SeedRand(12345);
        for (int frame = 0; frame < 30; ++frame)
            DoFrame();
    }

    void DoFrame() { m_engine->DoFrame(m_image, m_nPitch, false); }
    SmoothThing& Engine() { return *m_engine; }
    const PaletteEntry* Palette() const { return m_palette; }
    const std::string& Name() const { return m_name; }

private:
    MemoryRegStore m_store;
    Settings m_settings;
    uint8_t* m_image;
    int m_nPitch;
    std::string m_name;
    PaletteEntry m_palette[256];
    std::unique_ptr<SmoothThing> m_engine;
};

// Whole frames at kFrameSize, and the smoothing pass of the same field alone, so that what
// remains is the drawing and stepping.
class FrameCase {
public:
    explicit FrameCase(int presetIndex)
        : m_pixels(size_t(kFrameSize.width) * size_t(kFrameSize.height), 0),
          m_scratch(size_t(kFrameSize.width + 2) * size_t(kFrameSize.height + 2), 0),
          m_engine(presetIndex, kFrameSize, m_pixels.data(), kFrameSize.width) {}

    // A whole frame, then the pass alone on the field that frame left.
    IterationTimes Iterate() {
        const auto t0 = Clock::now();
        m_engine.DoFrame();
        Escape(m_pixels.data());
        const auto t1 = Clock::now();
        SmoothThing& engine = m_engine.Engine();
        SmoothField(engine.m_pBuffer1.get(), m_scratch.data(), engine.m_nWidth, engine.m_nHeight,
                    m_pixels.data(), kFrameSize.width, false, false);
        Escape(m_scratch.data());
        const auto t2 = Clock::now();
        return {Seconds(t0, t1), Seconds(t1, t2)};
    }

    const std::string& Name() const { return m_engine.Name(); }
    int Worms() { return m_engine.Engine().m_nWorms; }
    // Every live worm object, the fragments of burst fireworks and missiles included.
    static int LiveObjects() {
        int n = 0;
        for (int count : g_anLiveWorms)
            n += count;
        return n;
    }
    static int PresetCount() {
        MemoryRegStore store;
        Settings settings(store);
        return int(settings.m_apPresets.size());
    }

private:
    std::vector<uint8_t> m_pixels;
    std::vector<uint16_t> m_scratch;
    PresetEngine m_engine;
};

// A frame's whole road to the screen, on one screen or on every monitor of a desk: DoFrame into
// the host's image and the host's present, monitor after monitor as the one render thread draws
// them, and in the same iteration a memcpy of every byte the frame writes on all of them (the
// fields, the images and what the presents write). HostPresent, made with the image size, gives
// Image(), Pitch(), PresentBytes() and Present(palette); the palette goes with every frame, as it
// does during a cross-fade. The times, summed over the monitors, come back as pass: DoFrame,
// reference: the presents, copy: the memcpy, extra: the hosts' AfterPresent.
template <class HostPresent> class FrameRoadCase {
public:
    FrameRoadCase(int presetIndex, const Desk& desk) {
        size_t bytes = 0;
        for (Size size : desk) {
            m_monitors.push_back(std::make_unique<Monitor>(presetIndex, size));
            bytes += size_t(size.width) * size_t(size.height) * 3 +
                     m_monitors.back()->host.PresentBytes();
        }
        m_copyFrom.assign(bytes, 1);
        m_copyTo.assign(bytes, 0);
    }

    IterationTimes Iterate() {
        IterationTimes t;
        for (const auto& monitor : m_monitors) {
            const auto t0 = Clock::now();
            monitor->engine.DoFrame();
            Escape(monitor->host.Image());
            const auto t1 = Clock::now();
            monitor->host.Present(monitor->engine.Palette());
            const auto t2 = Clock::now();
            t.pass += Seconds(t0, t1);
            t.reference += Seconds(t1, t2);
        }
        const auto t0 = Clock::now();
        std::memcpy(m_copyTo.data(), m_copyFrom.data(), m_copyTo.size());
        Escape(m_copyTo.data());
        const auto t1 = Clock::now();
        for (const auto& monitor : m_monitors)
            monitor->host.AfterPresent();
        t.copy = Seconds(t0, t1);
        t.extra = Seconds(t1, Clock::now());
        return t;
    }

    const std::string& Name() const { return m_monitors.front()->engine.Name(); }
    // The first monitor's; every monitor's host is made alike.
    const HostPresent& Host() const { return m_monitors.front()->host; }

private:
    struct Monitor {
        Monitor(int presetIndex, Size size)
            : host(size.width, size.height), engine(presetIndex, size, host.Image(), host.Pitch()) {
        }
        HostPresent host;
        PresetEngine engine;
    };

    std::vector<std::unique_ptr<Monitor>> m_monitors;
    std::vector<uint8_t> m_copyFrom, m_copyTo;
};

// Median times per iteration of one row.
struct SmoothingRow {
    std::string variant, filter, image, field;
    double passMs, memcpyMs, referenceMs;
};

struct FrameRow {
    std::string preset;
    int worms, objects;
    double frameMs, smoothMs;
};

struct RoadRow {
    std::string preset, image;
    double frameMs, presentMs, memcpyMs, extraMs;
};

inline void PrintSmoothingTable(const std::vector<SmoothingRow>& rows) {
    std::printf(
        "\nSmoothing pass (memcpy: the bytes the pass writes, dst field plus image; ref: the "
        "reference kernel; both timed in the same iterations)\n");
    std::printf("%-10s %-19s %-10s %-10s %9s %10s %9s %12s %9s\n", "variant", "filter", "image",
                "field", "pass ms", "memcpy ms", "ref ms", "pass/memcpy", "speed-up");
    for (const SmoothingRow& r : rows) {
        std::printf("%-10s %-19s %-10s %-10s %9.3f %10.3f %9.3f %12.2f %8.2fx\n", r.variant.c_str(),
                    r.filter.c_str(), r.image.c_str(), r.field.c_str(), r.passMs, r.memcpyMs,
                    r.referenceMs, r.memcpyMs > 0 ? r.passMs / r.memcpyMs : 0,
                    r.passMs > 0 ? r.referenceMs / r.passMs : 0);
    }
}

inline void PrintFrameTable(const std::vector<FrameRow>& rows) {
    std::printf("\nDoFrame at %s, normal filter, %d worms asked for (objects: all live worms, "
                "fragments included; rest: drawing and stepping them)\n",
                SizeName(kFrameSize).c_str(), kFrameWorms);
    std::printf("%-18s %6s %8s %9s %10s %9s %12s\n", "preset", "worms", "objects", "frame ms",
                "smooth ms", "rest ms", "rest/smooth");
    for (const FrameRow& r : rows) {
        const double rest = r.frameMs - r.smoothMs;
        std::printf("%-18s %6d %8d %9.3f %10.3f %9.3f %12.2f\n", r.preset.c_str(), r.worms,
                    r.objects, r.frameMs, r.smoothMs, rest, r.smoothMs > 0 ? rest / r.smoothMs : 0);
    }
}

// present: what the host does after DoFrame; bytes: what it writes; extra: the name of the
// column of work done with the frame elsewhere, outside the total, or null for none.
inline void PrintRoadTable(const std::vector<RoadRow>& rows, const char* present, const char* bytes,
                           const char* extra) {
    std::printf("\nWhole frame on the host: DoFrame + %s; normal filter, %d worms asked for "
                "(memcpy: every byte the frame writes, field, image and %s, timed in the same "
                "iterations; on a desk of A+B, each monitor's engine and present in turn, and the "
                "sums)\n",
                present, kFrameWorms, bytes);
    int imageWidth = 10;
    for (const RoadRow& r : rows)
        imageWidth = std::max(imageWidth, int(r.image.size()));
    std::printf("%-18s %-*s %9s %11s %9s %10s %12s", "preset", imageWidth, "image", "frame ms",
                "present ms", "total ms", "memcpy ms", "total/memcpy");
    if (extra)
        std::printf(" %12s", extra);
    std::printf("\n");
    for (const RoadRow& r : rows) {
        const double total = r.frameMs + r.presentMs;
        std::printf("%-18s %-*s %9.3f %11.3f %9.3f %10.3f %12.2f", r.preset.c_str(), imageWidth,
                    r.image.c_str(), r.frameMs, r.presentMs, total, r.memcpyMs,
                    r.memcpyMs > 0 ? total / r.memcpyMs : 0);
        if (extra)
            std::printf(" %12.3f", r.extraMs);
        std::printf("\n");
    }
}

} // namespace bench
