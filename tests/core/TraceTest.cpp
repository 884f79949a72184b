#include "TestSupport.h"
#include "support/Random.h"

#include <gtest/gtest.h>

TEST(Trace, FormatsIntoTheInstalledSinkAndStopsWhenRemoved) {
    std::vector<std::pair<int, std::string>> seen;
    TraceSink previous =
        SetTraceSink([&](int level, const std::string& line) { seen.emplace_back(level, line); });
    Trace(TraceFault, "%s: Thread still active!", "Render");
    Trace(TraceInfo, "Settings: Regvalue %s = %d", "CPU", -7);
    SetTraceSink(previous);
    Trace(TraceInfo, "after removal");

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (std::pair<int, std::string>{2, "Render: Thread still active!"}));
    EXPECT_EQ(seen[1].second, "Settings: Regvalue CPU = -7");
}

TEST(Random, ClassicLcgSequenceInRange) {
    // The first draws after seeding with 1 of the classic generator every platform agrees on.
    SeedRand(1);
    EXPECT_EQ(Rand(), 41);
    EXPECT_EQ(Rand(), 18467);
    EXPECT_EQ(Rand(), 6334);
    SeedRand(12345);
    int lowest = RandMax, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        int r = Rand();
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, RandMax);
}

TEST(Random, RandUnitSpansZeroToOne) {
    SeedRand(7);
    double lowest = 1, highest = 0;
    for (int i = 0; i < 200000; ++i) {
        double u = RandUnit();
        lowest = std::min(lowest, u);
        highest = std::max(highest, u);
    }
    EXPECT_EQ(lowest, 0.0);
    EXPECT_DOUBLE_EQ(highest, 32767 * 3.051850947599719e-05);
    EXPECT_LE(highest, 1.0 + 1e-12);
}
