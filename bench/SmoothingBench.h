#pragma once

// What the engine benchmarks measure and how they print it, shared by the Google Benchmark
// program and the plain one built for Windows (where that library is not available).
//
// Each smoothing pass is timed together with, in the same iteration, a memcpy of exactly the
// bytes the pass writes (destination field plus image) between separate buffers: their ratio says
// how far the pass is from running at memory speed on this machine at this moment.
#include "behaviours/WormGlobals.h"
#include "engine/SmoothThing.h"
#include "engine/Smoothing.h"
#include "settings/Preset.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
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
    double pass = 0, copy = 0;
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

    IterationTimes Iterate(SmoothKernel kernel) {
        const auto t0 = Clock::now();
        kernel(m_src.data(), m_dst.data(), m_width, m_height, m_pixels.data(), m_image.width);
        Escape(m_dst.data());
        Escape(m_pixels.data());
        const auto t1 = Clock::now();
        std::memcpy(m_copyFieldTo.data(), m_copyFieldFrom.data(), m_fieldBytes);
        std::memcpy(m_copyImageTo.data(), m_copyImageFrom.data(), m_imageBytes);
        Escape(m_copyFieldTo.data());
        Escape(m_copyImageTo.data());
        const auto t2 = Clock::now();
        return {Seconds(t0, t1), Seconds(t1, t2)};
    }

    std::string FieldName() const { return SizeName({m_width, m_height}); }

private:
    size_t Cells() const { return size_t(m_width + 2) * size_t(m_height + 2); }

    Size m_image;
    Filter m_filter;
    int m_width, m_height;
    std::vector<uint16_t> m_src, m_dst;
    std::vector<uint8_t> m_pixels;
    size_t m_fieldBytes, m_imageBytes;
    std::vector<uint8_t> m_copyFieldFrom, m_copyFieldTo, m_copyImageFrom, m_copyImageTo;
};

// Whole frames of one factory preset with kFrameWorms worms, normal filter, no DoublePixels, and
// the smoothing pass of the same field alone, so that what remains is the drawing and stepping.
class FrameCase {
public:
    explicit FrameCase(int presetIndex)
        : m_settings(m_store), m_pixels(size_t(kFrameSize.width) * size_t(kFrameSize.height), 0),
          m_scratch(size_t(kFrameSize.width + 2) * size_t(kFrameSize.height + 2), 0) {
        m_settings.DoublePixels = false;
        m_settings.FastSmoothing = false;
        m_settings.SelectPreset(presetIndex);
        Preset& preset = *m_settings.m_pCurrentPreset;
        m_name = preset.Name;
        preset.Worms = kFrameWorms;
        preset.InitialWorms = kFrameWorms;
        m_engine = std::make_unique<SmoothThing>(kFrameSize.width, kFrameSize.height, &m_settings,
                                                 false, 1.0);
        SeedRand(12345);
        // Let trails build up and bursts get going before timing.
        for (int frame = 0; frame < 30; ++frame)
            m_engine->DoFrame(m_pixels.data(), kFrameSize.width, false);
    }

    // A whole frame, then the pass alone on the field that frame left.
    IterationTimes Iterate() {
        const auto t0 = Clock::now();
        m_engine->DoFrame(m_pixels.data(), kFrameSize.width, false);
        Escape(m_pixels.data());
        const auto t1 = Clock::now();
        SmoothField(m_engine->m_pBuffer1.get(), m_scratch.data(), m_engine->m_nWidth,
                    m_engine->m_nHeight, m_pixels.data(), kFrameSize.width, false, false);
        Escape(m_scratch.data());
        const auto t2 = Clock::now();
        return {Seconds(t0, t1), Seconds(t1, t2)};
    }

    const std::string& Name() const { return m_name; }
    int Worms() const { return m_engine->m_nWorms; }
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
    MemoryRegStore m_store;
    Settings m_settings;
    std::string m_name;
    std::vector<uint8_t> m_pixels;
    std::vector<uint16_t> m_scratch;
    std::unique_ptr<SmoothThing> m_engine;
};

// Mean times per iteration of one row.
struct SmoothingRow {
    std::string variant, filter, image, field;
    double passMs, memcpyMs;
};

struct FrameRow {
    std::string preset;
    int worms, objects;
    double frameMs, smoothMs;
};

inline void PrintSmoothingTable(const std::vector<SmoothingRow>& rows) {
    std::map<std::string, double> referenceMs;
    for (const SmoothingRow& r : rows)
        if (r.variant == "Reference")
            referenceMs[r.filter + "/" + r.image] = r.passMs;
    std::printf(
        "\nSmoothing pass (memcpy: the bytes the pass writes, dst field plus image, timed in "
        "the same iterations)\n");
    std::printf("%-10s %-19s %-10s %-10s %9s %10s %12s %9s\n", "variant", "filter", "image",
                "field", "pass ms", "memcpy ms", "pass/memcpy", "speed-up");
    for (const SmoothingRow& r : rows) {
        const auto ref = referenceMs.find(r.filter + "/" + r.image);
        const double speedUp =
            ref != referenceMs.end() && r.passMs > 0 ? ref->second / r.passMs : 0;
        std::printf("%-10s %-19s %-10s %-10s %9.3f %10.3f %12.2f %8.2fx\n", r.variant.c_str(),
                    r.filter.c_str(), r.image.c_str(), r.field.c_str(), r.passMs, r.memcpyMs,
                    r.memcpyMs > 0 ? r.passMs / r.memcpyMs : 0, speedUp);
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

} // namespace bench
