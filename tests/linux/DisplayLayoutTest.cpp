#include "linux/DisplayLayout.h"

#include <gtest/gtest.h>

namespace {

// The desk of the multi-monitor tests: the primary in the middle, a smaller one left of it at the
// top, a still smaller one right of it lower down.
const Rect Primary{1024, 0, 2304, 800};
const Rect Left{0, 0, 1024, 768};
const Rect Right{2304, 100, 3104, 700};

} // namespace

TEST(LinuxDisplayLayout, WindowHoldsEveryDisplayAndEachAnimatesInItsOwnPlace) {
    DisplayLayout desk({Primary, Left, Right}, true);
    EXPECT_EQ(desk.Window(), (Rect{0, 0, 3104, 800}));
    ASSERT_EQ(desk.Views().size(), 3u);
    EXPECT_EQ(desk.Views()[0], Primary);
    EXPECT_EQ(desk.Views()[1], Left);
    EXPECT_EQ(desk.Views()[2], Right);
    // Below the left one (32 rows of 1024) and above and below the right one (100 + 100 of 800).
    EXPECT_EQ(desk.DeadArea(), 32 * 1024 + 200 * 800);

    // Only the primary animates; the window still covers all three.
    DisplayLayout primaryOnly({Primary, Left, Right}, false);
    EXPECT_EQ(primaryOnly.Window(), desk.Window());
    ASSERT_EQ(primaryOnly.Views().size(), 1u);
    EXPECT_EQ(primaryOnly.Views()[0], Primary);
    EXPECT_FALSE(primaryOnly == desk);
}

TEST(LinuxDisplayLayout, ViewsAreInWindowCoordinatesAndOverlapsAreCountedOnce) {
    // A desk whose corner is not the desktop's origin, with a display mirroring part of another.
    DisplayLayout desk({{100, 50, 900, 650}, {500, 50, 900, 350}}, true);
    EXPECT_EQ(desk.Window(), (Rect{100, 50, 900, 650}));
    EXPECT_EQ(desk.Views()[0], (Rect{0, 0, 800, 600}));
    EXPECT_EQ(desk.Views()[1], (Rect{400, 0, 800, 300}));
    EXPECT_EQ(desk.DeadArea(), 0);

    DisplayLayout none({}, true);
    EXPECT_TRUE(none.Views().empty());
    EXPECT_EQ(none.DeadArea(), 0);
}

TEST(LinuxDisplayLayout, DisplaysThatStayOrMoveKeepTheirViews) {
    DisplayLayout desk({Primary, Left, Right}, true);

    // Unplugging the left one moves the window's corner but not the others on the desktop.
    DisplayLayout unplugged({Primary, Right}, true);
    EXPECT_EQ(unplugged.Window(), (Rect{1024, 0, 3104, 800}));
    EXPECT_EQ(unplugged.Views()[0], (Rect{0, 0, 1280, 800}));
    EXPECT_EQ(desk.Successors(unplugged), (std::vector<int>{0, 2}));
    // Plugged back it is new; the two that stayed keep theirs.
    EXPECT_EQ(unplugged.Successors(desk), (std::vector<int>{0, -1, 1}));

    // The right one moved below the primary: same size, same image. The left one changed size.
    DisplayLayout moved({Primary, {0, 0, 640, 480}, {1024, 800, 1824, 1400}}, true);
    EXPECT_EQ(desk.Successors(moved), (std::vector<int>{0, -1, 2}));

    // Two displays of one size trade places: each is taken over once, not both by the first.
    DisplayLayout twins({{0, 0, 800, 600}, {800, 0, 1600, 600}}, true);
    DisplayLayout swapped({{800, 0, 1600, 600}, {1600, 0, 2400, 600}}, true);
    EXPECT_EQ(twins.Successors(swapped), (std::vector<int>{1, 0}));
}
