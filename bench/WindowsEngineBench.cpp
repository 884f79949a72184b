// The engine benchmark for Windows builds, where Google Benchmark is not available: the same
// cases and the same tables but the render thread's tick, timed with the standard clock. Each case
// runs for about half a second after one untimed iteration, and the medians per iteration are
// printed.
#include "DibSectionHost.h"
#include "SmoothingBench.h"

#include <cstdio>
#include <string>
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
    std::fprintf(stderr, "\n");
    PrintSmoothingTable(rows);
    PrintFrameTable(frames);
    const std::string target =
        "the " + std::to_string(screenBits) + "-bit bitmap compatible with the screen";
    PrintRoadTable(roads, "SetDIBColorTable of the 8-bit DIB section + BitBlt of it to a memory DC",
                   target.c_str(), nullptr);
    return 0;
}
