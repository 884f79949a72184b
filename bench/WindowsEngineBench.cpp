// The engine benchmark for Windows builds, where Google Benchmark is not available: the same
// cases and the same tables but the render thread's tick, timed with the standard clock. Each case
// runs for about half a second after one untimed iteration, and the medians per iteration are
// printed. A last table times the present's two halves apart, to tell which one limits it.
#include "DibSectionHost.h"
#include "SmoothingBench.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace bench;

constexpr double kMinSeconds = 0.5;
constexpr size_t kMinIterations = 10;

template <typename Case, typename Iterate> IterationTimes Measure(Case& c, Iterate iterate) {
    iterate(c);
    Samples samples;
    const auto start = Clock::now();
    while (samples.Count() < kMinIterations || Seconds(start, Clock::now()) < kMinSeconds)
        samples.Add(iterate(c));
    return samples.MedianMs();
}

// The present's two halves on an image a preset has drawn, each against a memcpy of the bytes it
// writes: pass: the expansion, copy: its memcpy; reference: the blit, extra: its memcpy.
class PresentSplitCase {
public:
    explicit PresentSplitCase(Size size)
        : m_host(size.width, size.height), m_engine(0, size, m_host.Image(), m_host.Pitch()),
          m_frameBytes(size_t(size.width) * size_t(size.height) * 4),
          m_from(m_host.PresentBytes(), 1), m_to(m_host.PresentBytes(), 0) {
        m_host.Present(m_engine.Palette());
    }

    IterationTimes Iterate() {
        IterationTimes t;
        const auto t0 = Clock::now();
        m_host.Expand();
        const auto t1 = Clock::now();
        m_host.Blit();
        const auto t2 = Clock::now();
        std::memcpy(m_to.data(), m_from.data(), m_frameBytes);
        Escape(m_to.data());
        const auto t3 = Clock::now();
        std::memcpy(m_to.data() + m_frameBytes, m_from.data() + m_frameBytes,
                    m_to.size() - m_frameBytes);
        Escape(m_to.data());
        const auto t4 = Clock::now();
        return {Seconds(t0, t1), Seconds(t2, t3), Seconds(t1, t2), Seconds(t3, t4)};
    }

private:
    DibSectionHost m_host;
    PresetEngine m_engine;
    size_t m_frameBytes;
    std::vector<uint8_t> m_from, m_to;
};

void PrintSplitTable(const std::vector<std::pair<std::string, IterationTimes>>& rows) {
    std::printf("\nThe present alone on the first preset's image: the expansion into the 32-bit "
                "DIB section and the BitBlt of it, each against a memcpy of the bytes it writes\n");
    std::printf("%-10s %10s %10s %10s %9s %10s %10s\n", "image", "expand ms", "memcpy ms", "ratio",
                "blit ms", "memcpy ms", "ratio");
    for (const auto& [image, t] : rows) {
        std::printf("%-10s %10.3f %10.3f %10.2f %9.3f %10.3f %10.2f\n", image.c_str(), t.pass,
                    t.copy, t.copy > 0 ? t.pass / t.copy : 0, t.reference, t.extra,
                    t.extra > 0 ? t.reference / t.extra : 0);
    }
}

} // namespace

int main() {
    std::printf("smoothing kernels used by the engine: %s\n",
                AvailableSmoothingVariants().back().name);
    std::vector<SmoothingRow> rows;
    for (Size size : kSizes) {
        for (const Filter& filter : kFilters) {
            for (const SmoothingVariant& v : AvailableSmoothingVariants()) {
                SmoothingCase c(size, filter);
                SmoothKernel kernel = v.Kernel(filter.fast, filter.doubled);
                SmoothKernel reference =
                    AvailableSmoothingVariants().front().Kernel(filter.fast, filter.doubled);
                const IterationTimes ms = Measure(c, [kernel, reference](SmoothingCase& s) {
                    return s.Iterate(kernel, reference);
                });
                rows.push_back({v.name, filter.name, SizeName(size), c.FieldName(), ms.pass,
                                ms.copy, ms.reference});
                std::fprintf(stderr, ".");
            }
        }
    }
    std::vector<FrameRow> frames;
    for (int p = 0; p < FrameCase::PresetCount(); ++p) {
        FrameCase c(p);
        const IterationTimes ms = Measure(c, [](FrameCase& f) { return f.Iterate(); });
        frames.push_back({c.Name(), c.Worms(), FrameCase::LiveObjects(), ms.pass, ms.copy});
        std::fprintf(stderr, ".");
    }
    std::vector<RoadRow> roads;
    int screenBits = 0;
    for (const Desk& desk : kRoadDesks) {
        for (int p = 0; p < FrameCase::PresetCount(); ++p) {
            FrameRoadCase<DibSectionHost> c(p, desk);
            screenBits = c.Host().ScreenBits();
            const IterationTimes ms =
                Measure(c, [](FrameRoadCase<DibSectionHost>& r) { return r.Iterate(); });
            roads.push_back({c.Name(), DeskName(desk), ms.pass, ms.reference, ms.copy, 0});
            std::fprintf(stderr, ".");
        }
    }
    std::vector<std::pair<std::string, IterationTimes>> splits;
    for (Size size : kSizes) {
        PresentSplitCase c(size);
        splits.emplace_back(SizeName(size),
                            Measure(c, [](PresentSplitCase& s) { return s.Iterate(); }));
        std::fprintf(stderr, ".");
    }
    std::fprintf(stderr, "\n");
    PrintSmoothingTable(rows);
    PrintFrameTable(frames);
    const std::string target = "the 32-bit DIB section and the " + std::to_string(screenBits) +
                               "-bit bitmap compatible with the screen";
    PrintRoadTable(roads,
                   "expansion through the palette into a 32-bit DIB section + BitBlt of it to a "
                   "memory DC",
                   target.c_str(), nullptr);
    PrintSplitTable(splits);
    return 0;
}
