#include "linux/DisplayRates.h"

#include <gtest/gtest.h>

// A desk of a 60 Hz display and a 144 Hz one to its right, and a 75 Hz mirror of the first.
TEST(DisplayRates, AnAreaTakesTheRateOfTheDisplayShowingMostOfIt) {
    const std::vector<DisplayRate> desk{{{0, 0, 1920, 1080}, 60.0}, {{1920, 0, 4480, 1440}, 144.0}};
    EXPECT_EQ(RefreshRateOf(desk, {0, 0, 1920, 1080}), 60.0);
    EXPECT_EQ(RefreshRateOf(desk, {1920, 0, 4480, 1440}), 144.0);
    // Straddling the edge: the larger part decides, either way round.
    EXPECT_EQ(RefreshRateOf(desk, {1800, 100, 2100, 200}), 144.0);
    EXPECT_EQ(RefreshRateOf(desk, {1700, 100, 2000, 200}), 60.0);
    // Off every display, or touching one only along an edge: nothing says.
    EXPECT_EQ(RefreshRateOf(desk, {0, 1440, 100, 1500}), 0.0);
    EXPECT_EQ(RefreshRateOf(desk, {-100, 0, 0, 100}), 0.0);
    EXPECT_EQ(RefreshRateOf({}, {0, 0, 10, 10}), 0.0);

    // Mirrored displays show the same area: the faster one, whichever is listed first.
    std::vector<DisplayRate> mirrored = desk;
    mirrored.push_back({{0, 0, 1920, 1080}, 75.0});
    EXPECT_EQ(RefreshRateOf(mirrored, {0, 0, 1920, 1080}), 75.0);
    std::swap(mirrored[0], mirrored[2]);
    EXPECT_EQ(RefreshRateOf(mirrored, {0, 0, 1920, 1080}), 75.0);
}
