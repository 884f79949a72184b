#include "WormTestFixture.h"

#include "behaviours/Dot.h"
#include "behaviours/Straight.h"
#include "behaviours/VelocityWorm.h"
#include "settings/WormTypes.h"

#include <cmath>
#include <numeric>

namespace {

using WormDrawTest = WormFieldTest;

long Sum(const std::vector<uint16_t>& field) {
    return std::accumulate(field.begin(), field.end(), 0L);
}

// Draws a worm at (x, y) into an empty field and returns the field.
std::vector<uint16_t> DrawAt(int x, int y) {
    std::vector<uint16_t> field(static_cast<size_t>(g_nFieldWidth + 2) * (g_nFieldHeight + 2));
    CellWorm worm(x, y);
    worm.Draw(field.data());
    return field;
}

TEST_F(WormDrawTest, StampIsDrawnOnlyWhenItFitsWhole) {
    // WormSize 1: a 4 x 4 stamp whose cells sum to 4 * 128 + 12 * 255.
    const long stamp = 4 * 128 + 12 * 255;
    EXPECT_EQ(Sum(DrawAt(800 - 4, 10)), 0);
    EXPECT_EQ(Sum(DrawAt(800 - 5, 10)), stamp);
    EXPECT_EQ(Sum(DrawAt(10, 600 - 4)), 0);
    EXPECT_EQ(Sum(DrawAt(10, 600 - 5)), stamp);
    EXPECT_EQ(Sum(DrawAt(-1, 10)), 0);
    EXPECT_EQ(Sum(DrawAt(10, -1)), 0);
    EXPECT_EQ(Sum(DrawAt(0, 0)), stamp);
    EXPECT_EQ(Sum(DrawAt(2147483647, 10)), 0);
}

TEST_F(WormDrawTest, StampTakesTheMaximumNeverTheSum) {
    std::vector<uint16_t> field = MakeField();
    Cell(field, 20, 20) = 255; // under a 128 corner
    Cell(field, 23, 23) = 100; // under a 128 corner
    Cell(field, 21, 20) = 200; // under a 255
    Cell(field, 24, 20) = 77;  // just outside
    CellWorm worm(20, 20);
    worm.Draw(field.data());
    worm.Draw(field.data());
    EXPECT_EQ(Cell(field, 20, 20), 255);
    EXPECT_EQ(Cell(field, 23, 23), 128);
    EXPECT_EQ(Cell(field, 21, 20), 255);
    EXPECT_EQ(Cell(field, 24, 20), 77);
    EXPECT_EQ(Cell(field, 20, 23), 128);
}

TEST_F(WormDrawTest, WormSizeSelectsThePattern) {
    struct Case {
        int wormSize, n;
        long sum;
        uint16_t corner, nextToCorner;
    };
    const Case cases[] = {
        {0, 3, 9 * 255, 255, 255},
        {1, 4, 4 * 128 + 12 * 255, 128, 255},
        {2, 5, 4 * 64 + 8 * 180 + 13 * 255, 64, 180},
        {3, 6, 4 * 64 + 8 * 180 + 24 * 255, 64, 180},
        {7, 6, 4 * 64 + 8 * 180 + 24 * 255, 64, 180},
        {-1, 6, 4 * 64 + 8 * 180 + 24 * 255, 64, 180},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wormSize);
        ThePreset().WormSize = c.wormSize;
        std::vector<uint16_t> field = DrawAt(100, 200);
        EXPECT_EQ(Sum(field), c.sum);
        EXPECT_EQ(Cell(field, 100, 200), c.corner);
        EXPECT_EQ(Cell(field, 101, 200), c.nextToCorner);
        EXPECT_EQ(Cell(field, 100 + c.n - 1, 200 + c.n - 1), c.corner);
        EXPECT_EQ(Cell(field, 100 + c.n, 200), 0);
        EXPECT_EQ(Cell(field, 100, 200 + c.n), 0);
        EXPECT_EQ(Cell(field, 99, 200), 0);
        EXPECT_EQ(Cell(field, 100, 199), 0);
        // The fit test follows the size too.
        EXPECT_EQ(Sum(DrawAt(800 - c.n - 1, 10)), c.sum);
        EXPECT_EQ(Sum(DrawAt(800 - c.n, 10)), 0);
    }
}

using WormEdgeTest = WormFieldTest;

TEST_F(WormEdgeTest, BaseCheckEdgesReportsSidesStrictlyInsideTheMargin) {
    struct Case {
        int x, y, sideX, sideY;
    };
    const Case cases[] = {
        {400, 300, 0, 0}, {785, 300, 0, 0}, {786, 300, 1, 0}, {15, 300, 0, 0},  {14, 300, -1, 0},
        {400, 585, 0, 0}, {400, 586, 0, 1}, {400, 14, 0, -1}, {-5, 900, -1, 1}, {900, -5, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        CellWorm worm(c.x, c.y);
        int sideX = 7;
        int sideY = 7;
        bool hit = worm.CheckEdges(sideX, sideY, 15);
        EXPECT_EQ(sideX, c.sideX);
        EXPECT_EQ(sideY, c.sideY);
        EXPECT_EQ(hit, c.sideX != 0 || c.sideY != 0);
    }
}

using ScaledWormTest = WormFieldTest;

TEST_F(ScaledWormTest, StartsAtTheInitialCellInFieldHeightUnits) {
    ThePreset().StartInCenter = true;
    Straight worm;
    EXPECT_EQ(worm.m_dScale, 600.0);
    EXPECT_EQ(worm.m_dX, 400 / 600.0);
    EXPECT_EQ(worm.m_dY, 0.5);
    EXPECT_EQ(worm.m_nOffsetX, 0);
    EXPECT_EQ(worm.m_nOffsetY, 0);
    int x = 0;
    int y = 0;
    worm.GetPosition(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
}

TEST_F(ScaledWormTest, RoundsToNearestCellAndTruncatesTowardZero) {
    Straight worm;
    worm.m_dScale = 10;
    int x = 0;
    int y = 0;
    worm.m_dX = 1.26;  // 12.6 + 0.5
    worm.m_dY = -0.09; // -0.9 + 0.5 = -0.4, truncated to 0
    worm.GetPosition(x, y);
    EXPECT_EQ(x, 13);
    EXPECT_EQ(y, 0);
    worm.m_dY = -0.16; // -1.6 + 0.5 = -1.1, truncated to -1
    worm.m_nOffsetX = 100;
    worm.GetPosition(x, y);
    EXPECT_EQ(x, 113);
    EXPECT_EQ(y, -1);
}

TEST_F(ScaledWormTest, PlaceIsTheInverseOfTheRoundingWithOffsets) {
    Straight worm;
    worm.m_dScale = 600.0 / 13;
    worm.m_nOffsetX = 250;
    worm.m_nOffsetY = -40;
    worm.Place(0, 0, 10);
    EXPECT_EQ(worm.m_dX, -250 / worm.m_dScale);
    EXPECT_EQ(worm.m_dY, 40 / worm.m_dScale);
    for (int cell : {0, 1, 17, 399, 599}) {
        worm.Place(cell, cell + 3, 0);
        int x = -9;
        int y = -9;
        worm.GetPosition(x, y);
        EXPECT_EQ(x, cell);
        EXPECT_EQ(y, cell + 3);
    }
}

TEST_F(ScaledWormTest, AFieldWithoutRowsStillGivesFinitePositions) {
    SetField(30, 0);
    Straight worm;
    EXPECT_TRUE(std::isfinite(worm.m_dX));
    EXPECT_TRUE(std::isfinite(worm.m_dY));
    EXPECT_TRUE(worm.Update(nullptr, 0));
    EXPECT_TRUE(std::isfinite(worm.m_dX));
    EXPECT_TRUE(std::isfinite(worm.m_dY));
    std::vector<uint16_t> field = MakeField();
    worm.Draw(field.data());
    EXPECT_EQ(Sum(field), 0);
}

using InitialPositionTest = WormFieldTest;

TEST_F(InitialPositionTest, CentreWithStartInCenterDrawsNothing) {
    ThePreset().StartInCenter = true;
    SetField(641, 481);
    SeedRand(5);
    EXPECT_EQ(InitialX(), 320);
    EXPECT_EQ(InitialY(), 240);
    SeedRand(5);
    int first = Rand();
    SeedRand(5);
    InitialX();
    InitialY();
    EXPECT_EQ(Rand(), first);
}

TEST_F(InitialPositionTest, RandomStartKeeps25CellsFromEachBorder) {
    SetField(100, 76);
    SeedRand(77);
    int lowX = 1000, highX = -1, lowY = 1000, highY = -1;
    for (int i = 0; i < 5000; ++i) {
        int x = InitialX();
        int y = InitialY();
        lowX = std::min(lowX, x);
        highX = std::max(highX, x);
        lowY = std::min(lowY, y);
        highY = std::max(highY, y);
    }
    EXPECT_EQ(lowX, 25);
    EXPECT_EQ(highX, 100 - 26);
    EXPECT_EQ(lowY, 25);
    EXPECT_EQ(highY, 76 - 26);

    SeedRand(3);
    int expectedX = Rand() % 50 + 25;
    int expectedY = Rand() % 26 + 25;
    SeedRand(3);
    EXPECT_EQ(InitialX(), expectedX);
    EXPECT_EQ(InitialY(), expectedY);
}

TEST_F(InitialPositionTest, NarrowAxisUsesTheCentreWithoutADraw) {
    SeedRand(9);
    int first = Rand();
    int second = Rand();
    for (int size : {50, 31, 1, 0}) {
        SCOPED_TRACE(size);
        SetField(size, 600);
        SeedRand(9);
        EXPECT_EQ(InitialX(), size / 2);
        EXPECT_EQ(Rand(), first);
        SetField(800, size);
        SeedRand(9);
        EXPECT_EQ(InitialY(), size / 2);
        EXPECT_EQ(Rand(), first);
    }
    // One cell wider and the random band exists again, one cell wide.
    SetField(51, 600);
    SeedRand(9);
    EXPECT_EQ(InitialX(), 25);
    EXPECT_EQ(Rand(), second);
}

TEST(NormaliseHeadingTest, BringsHeadingsIntoZeroTo360) {
    EXPECT_EQ(NormaliseHeading(-90), 270);
    EXPECT_EQ(NormaliseHeading(360), 360);
    EXPECT_EQ(NormaliseHeading(0), 0);
    EXPECT_EQ(NormaliseHeading(-360), 0);
    EXPECT_EQ(NormaliseHeading(-720), 0);
    EXPECT_EQ(NormaliseHeading(720.5), 0.5);
    EXPECT_EQ(NormaliseHeading(1080), 360);
    EXPECT_EQ(NormaliseHeading(400), 40);
}

TEST(NormaliseHeadingTest, NonFiniteAndHugeHeadingsStillEndInRange) {
    EXPECT_EQ(NormaliseHeading(INFINITY), 0);
    EXPECT_EQ(NormaliseHeading(-INFINITY), 0);
    EXPECT_EQ(NormaliseHeading(NAN), 0);
    for (double h : {1e300, -1e300, 3.5e17, -1e12}) {
        double n = NormaliseHeading(h);
        EXPECT_GE(n, 0) << h;
        EXPECT_LE(n, 360) << h;
    }
}

using PickTargetTest = WormFieldTest;

TEST_F(PickTargetTest, SkipsExcludedTypeAndWormsOnAnAxis) {
    CellWorm own1(100, 100, WormTypeSeeker);
    CellWorm onAxisX(0, 100, WormTypeStraight);
    CellWorm onAxisY(100, 0, WormTypeStraight);
    CellWorm own2(200, 200, WormTypeSeeker);
    Worm* worms[] = {&own1, &onAxisX, &onAxisY, &own2};
    int index = 42;
    for (uint32_t seed = 0; seed < 20; ++seed) {
        SeedRand(seed);
        EXPECT_FALSE(PickTarget(worms, 4, index, WormTypeSeeker));
        EXPECT_EQ(index, 42);
    }
    EXPECT_FALSE(PickTarget(worms, 0, index, WormTypeSeeker));
    EXPECT_EQ(index, 42);
}

TEST_F(PickTargetTest, WalksCyclicallyFromARandomStart) {
    CellWorm own(100, 100, WormTypeSeeker);
    CellWorm a(50, 60, WormTypeStraight);
    CellWorm b(70, 80, WormTypeDot);
    CellWorm edge(0, 80, WormTypeDot);
    Worm* worms[] = {&own, &a, &edge, &b, &own};
    bool sawA = false;
    bool sawB = false;
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SeedRand(seed);
        int start = Rand() % 5;
        int next = Rand();
        // From 2 or 3 the walk meets b first; from 4, 0 or 1 it wraps round to a.
        int expected = (start == 2 || start == 3) ? 3 : 1;
        SeedRand(seed);
        int index = -1;
        ASSERT_TRUE(PickTarget(worms, 5, index, WormTypeSeeker));
        EXPECT_EQ(index, expected) << "start " << start;
        EXPECT_EQ(Rand(), next); // one draw only
        sawA = sawA || index == 1;
        sawB = sawB || index == 3;
    }
    EXPECT_TRUE(sawA);
    EXPECT_TRUE(sawB);
}

TEST(TargetSideTest, TiesFollowTheSignOfTheCosine) {
    // t = sinH * dy / cosH equals dx exactly.
    EXPECT_FALSE(TargetOnIncreasingSide(0.5, 1.0, 1.0, 2.0));
    EXPECT_TRUE(TargetOnIncreasingSide(0.5, -1.0, -1.0, 2.0));
    // cosH = 0: the sine decides against dy, with dy = 0 counting as the increasing side only
    // for a positive sine.
    EXPECT_TRUE(TargetOnIncreasingSide(1.0, 0.0, 5.0, 0.0));
    EXPECT_TRUE(TargetOnIncreasingSide(1.0, 0.0, 5.0, -1.0));
    EXPECT_FALSE(TargetOnIncreasingSide(1.0, 0.0, -5.0, 1.0));
    EXPECT_FALSE(TargetOnIncreasingSide(-1.0, 0.0, 5.0, 0.0));
    EXPECT_TRUE(TargetOnIncreasingSide(-1.0, 0.0, -5.0, 1.0));
    EXPECT_FALSE(TargetOnIncreasingSide(0.0, 0.0, 5.0, 0.0));
}

TEST(TargetSideTest, AwayFromTiesItIsTheSideAnIncreasingHeadingTurnsTo) {
    SeedRand(11);
    for (int i = 0; i < 2000; ++i) {
        double h = RandUnit() * 360 * DegToRad;
        double dx = RandUnit() * 2 - 1;
        double dy = RandUnit() * 2 - 1;
        double cross = dx * std::cos(h) - dy * std::sin(h);
        if (std::fabs(cross) < 1e-9 || std::cos(h) == 0)
            continue;
        EXPECT_EQ(TargetOnIncreasingSide(std::sin(h), std::cos(h), dx, dy), cross > 0);
    }
    // Heading 0 (toward increasing rows): a target to the right lies on the increasing side.
    EXPECT_TRUE(TargetOnIncreasingSide(0.0, 1.0, 0.1, 0.5));
    EXPECT_FALSE(TargetOnIncreasingSide(0.0, 1.0, -0.1, 0.5));
}

using LiveCountTest = WormFieldTest;

TEST_F(LiveCountTest, ConstructionAndDeletionTrackEachIndex) {
    const int straights = g_anLiveWorms[WormTypeStraight];
    const int dots = g_anLiveWorms[WormTypeDot];
    const int sparks = g_anLiveWorms[WormTypeSpark];
    {
        Straight a;
        Straight b;
        Dot c;
        CellWorm spark(1, 1, WormTypeSpark);
        EXPECT_EQ(g_anLiveWorms[WormTypeStraight], straights + 2);
        EXPECT_EQ(g_anLiveWorms[WormTypeDot], dots + 1);
        EXPECT_EQ(g_anLiveWorms[WormTypeSpark], sparks + 1);
        Worm* owned = new Straight;
        EXPECT_EQ(g_anLiveWorms[WormTypeStraight], straights + 3);
        delete owned; // through the base class
        EXPECT_EQ(g_anLiveWorms[WormTypeStraight], straights + 2);
    }
    EXPECT_EQ(g_anLiveWorms[WormTypeStraight], straights);
    EXPECT_EQ(g_anLiveWorms[WormTypeDot], dots);
    EXPECT_EQ(g_anLiveWorms[WormTypeSpark], sparks);
}

// The family base, made concrete with its own move step.
class PlainVelocityWorm : public VelocityWorm {
public:
    PlainVelocityWorm() : VelocityWorm(WormTypeLeaf) {}
    bool Update(Worm**, int) override { return MoveStep(); }
};

using VelocityWormTest = WormFieldTest;

TEST_F(VelocityWormTest, HeadingFollowsTheVelocity) {
    PlainVelocityWorm worm;
    worm.m_dVX = -0.0;
    EXPECT_EQ(worm.GetHeading(), 0);
    worm.m_dVX = -0.001;
    worm.m_dVY = 0.001;
    EXPECT_NEAR(worm.GetHeading(), 315, 1e-6);
}

TEST_F(VelocityWormTest, PlaceGivesSpeedAlongTheHeadingAndRoundTripsIt) {
    PlainVelocityWorm worm;
    for (double h : {0.0, 30.0, 135.0, 200.0, 359.0}) {
        worm.Place(100, 200, h);
        EXPECT_NEAR(std::hypot(worm.m_dVX, worm.m_dVY), 0.005, 1e-12);
        EXPECT_NEAR(worm.GetHeading(), h, 1e-6);
    }
    worm.Place(100, 200, NAN);
    EXPECT_TRUE(std::isfinite(worm.m_dVX));
    EXPECT_TRUE(std::isfinite(worm.m_dVY));
}

TEST_F(VelocityWormTest, BouncesOffTheBorderOnlyWhenMovingIntoIt) {
    PlainVelocityWorm worm;
    worm.Place(790, 300, 0);
    worm.m_dVX = 0.002;
    worm.m_dVY = 0;
    double x = worm.m_dX;
    EXPECT_TRUE(worm.Update(nullptr, 0));
    EXPECT_EQ(worm.m_dVX, -0.002);
    EXPECT_EQ(worm.m_dX, x + 0.002 + 2 * -0.002);

    // Inside the left margin but at rest: nothing to reflect, not even with Recycle.
    ThePreset().Recycle = true;
    worm.Place(5, 300, 0);
    worm.m_dVX = 0;
    worm.m_dVY = 0;
    int sideX = 0;
    int sideY = 0;
    EXPECT_FALSE(worm.CheckEdges(sideX, sideY, 15));
    EXPECT_EQ(sideX, 0);
    EXPECT_TRUE(worm.Update(nullptr, 0));

    worm.Place(400, 590, 0);
    worm.m_dVX = 0;
    worm.m_dVY = 0.001;
    EXPECT_FALSE(worm.Update(nullptr, 0));
}

} // namespace
