// The engine benchmark for Windows builds, where Google Benchmark is not available: the same
// cases and the same two tables, timed with the standard clock. Each case runs for about half a
// second after one untimed iteration, and the means per iteration are printed.
#include "SmoothingBench.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace bench;

constexpr double kMinSeconds = 0.5;
constexpr int kMinIterations = 10;

template <typename Case, typename Iterate> IterationTimes Measure(Case& c, Iterate iterate) {
    iterate(c);
    IterationTimes sum;
    int n = 0;
    const auto start = Clock::now();
    while (n < kMinIterations || Seconds(start, Clock::now()) < kMinSeconds) {
        const IterationTimes t = iterate(c);
        sum.pass += t.pass;
        sum.copy += t.copy;
        ++n;
    }
    return {sum.pass * 1000 / n, sum.copy * 1000 / n};
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
                const IterationTimes ms =
                    Measure(c, [kernel](SmoothingCase& s) { return s.Iterate(kernel); });
                rows.push_back(
                    {v.name, filter.name, SizeName(size), c.FieldName(), ms.pass, ms.copy});
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
    std::fprintf(stderr, "\n");
    PrintSmoothingTable(rows);
    PrintFrameTable(frames);
    return 0;
}
