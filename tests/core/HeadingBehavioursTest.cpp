#include "WormTestFixture.h"

#include "behaviours/Curvy.h"
#include "behaviours/Dot.h"
#include "behaviours/Dragon.h"
#include "behaviours/Straight.h"
#include "behaviours/Twisty.h"
#include "behaviours/Wormy.h"
#include "settings/WormTypes.h"

#include <cmath>

namespace {

// Field 800 x 600, so one unit is 600 cells and the 15-cell margins start past columns 785 and
// rows 585.
using HeadingWormTest = WormFieldTest;

void PutAt(ScaledWorm& worm, int x, int y) {
    worm.m_dX = x / worm.m_dScale;
    worm.m_dY = y / worm.m_dScale;
}

TEST_F(HeadingWormTest, ConstructorDrawsPositionThenHeading) {
    SeedRand(21);
    int x = Rand() % 750 + 25;
    int y = Rand() % 550 + 25;
    double heading = RandUnit() * 359.99;
    SeedRand(21);
    Straight worm;
    EXPECT_EQ(worm.m_nType, WormTypeStraight);
    EXPECT_EQ(worm.m_dX, x / 600.0);
    EXPECT_EQ(worm.m_dY, y / 600.0);
    EXPECT_EQ(worm.m_dHeading, heading);
    EXPECT_EQ(worm.GetHeading(), heading);
    EXPECT_EQ(worm.m_dSpeed, 0.005);
}

TEST_F(HeadingWormTest, CheckEdgesReflectsOnlyTowardTheBorder) {
    struct Case {
        int x, y;
        double heading;
        bool hit;
        int sideX, sideY;
        double after;
    };
    const Case cases[] = {
        {10, 300, 90, false, 0, 0, 90},    // inside the left margin, already moving right
        {10, 300, 270, true, -1, 0, 90},   // moving left into it
        {790, 300, 90, true, 1, 0, 270},   // -90 stored as 270
        {790, 300, 180, false, 0, 0, 180}, // exactly 180 is not toward the right border
        {400, 590, 30, true, 0, 1, 150},
        {400, 590, 300, true, 0, 1, 240},
        {400, 10, 180, true, 0, -1, 0},
        {400, 10, 90, false, 0, 0, 90},  // 90 is not strictly between 90 and 270
        {790, 590, 45, true, 1, 1, 225}, // the vertical test sees the already mirrored -45
        {790, 590, 300, true, 0, 1, 240},
        {400, 300, 360, false, 0, 0, 360},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " heading " << c.heading);
        Straight worm;
        worm.Place(c.x, c.y, c.heading);
        int sideX = 9;
        int sideY = 9;
        EXPECT_EQ(worm.CheckEdges(sideX, sideY, 15), c.hit);
        if (c.hit) {
            EXPECT_EQ(sideX, c.sideX);
            EXPECT_EQ(sideY, c.sideY);
        }
        EXPECT_EQ(worm.m_dHeading, c.after);
    }
}

TEST_F(HeadingWormTest, StraightBouncesBackFromTheRightBorder) {
    Straight worm;
    worm.Place(790, 300, 90);
    const double x0 = worm.m_dX;
    const double y0 = worm.m_dY;
    const double dx = std::sin(90 * DegToRad) * 0.005;
    const double dy = std::cos(90 * DegToRad) * 0.005;
    EXPECT_TRUE(worm.Update(nullptr, 0));
    EXPECT_EQ(worm.m_dHeading, 270);
    EXPECT_EQ(worm.m_dX, x0 + dx - 2 * dx);
    EXPECT_EQ(worm.m_dY, y0 + dy);

    ThePreset().Recycle = true;
    worm.Place(790, 300, 90);
    EXPECT_FALSE(worm.Update(nullptr, 0));
}

TEST_F(HeadingWormTest, PlaceResetsTheSpeedAndKeepsHeadingsFinite) {
    Twisty worm;
    EXPECT_EQ(worm.m_dSpeed, 0.0025);
    worm.Place(100, 120, 400);
    EXPECT_EQ(worm.m_dSpeed, 0.005);
    EXPECT_EQ(worm.m_dHeading, 400); // kept as given
    worm.Place(100, 120, NAN);
    EXPECT_TRUE(std::isfinite(worm.m_dHeading));
    worm.Update(nullptr, 0);
    EXPECT_TRUE(std::isfinite(worm.m_dX));
    EXPECT_TRUE(std::isfinite(worm.m_dY));
}

using DotTest = WormFieldTest;

TEST_F(DotTest, StaysPutUntilPlacedAndIsRecycledWhenFacingTheBorder) {
    Dot dot;
    EXPECT_EQ(dot.m_dSpeed, 0);
    PutAt(dot, 400, 300);
    const double x = dot.m_dX;
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(dot.Update(nullptr, 0));
    EXPECT_EQ(dot.m_dX, x);

    dot.Place(400, 300, 90);
    EXPECT_TRUE(dot.Update(nullptr, 0));
    EXPECT_GT(dot.m_dX, x);

    ThePreset().Recycle = true;
    Dot edge;
    PutAt(edge, 790, 300);
    edge.m_dHeading = 270; // facing away: no reflection, no removal
    EXPECT_TRUE(edge.Update(nullptr, 0));
    edge.m_dHeading = 90;
    EXPECT_FALSE(edge.Update(nullptr, 0));
}

class DotGridTest : public WormFieldTest {
protected:
    void SetUp() override {
        WormFieldTest::SetUp();
        Preset& preset = ThePreset();
        preset.StartInCenter = true;
        for (int& state : preset.m_anTypeStates)
            state = 1;
        m_nSavedCounter = g_nDotGridCounter;
        g_nDotGridCounter = 0;
    }
    void TearDown() override {
        g_nDotGridCounter = m_nSavedCounter;
        WormFieldTest::TearDown();
    }
    void EnableTypes(int count) {
        for (int i = 0; i < count; ++i)
            ThePreset().m_anTypeStates[i * 2] = 0;
    }
    int m_nSavedCounter = 0;
};

TEST_F(DotGridTest, StepsThroughTheLatticeAndWrapsAfterSharePlusOne) {
    ThePreset().Worms = 50;
    EnableTypes(5); // share 10, g = sqrt(10), three lattice columns
    const double g = std::sqrt(10.0);
    for (int i = 0; i < 14; ++i) {
        SCOPED_TRACE(i);
        const int c = i % 11;
        EXPECT_EQ(g_nDotGridCounter, c);
        Dot dot;
        EXPECT_EQ(dot.m_dX, (800 / 600.0) / g * (c % 3 + 1));
        EXPECT_EQ(dot.m_dY, (600 / 600.0) / g * (std::trunc(c / g) + 1));
        if (i == 0) {
            int x = 0;
            int y = 0;
            dot.GetPosition(x, y);
            EXPECT_EQ(x, 253); // one lattice step in: 800 / 3.162...
            EXPECT_EQ(y, 190);
        }
        if (i == 4) {
            // Counter 4: column 4 % 3 + 1 = 2, row trunc(4 / 3.16) + 1 = 2.
            EXPECT_EQ(dot.m_dX, (800 / 600.0) / g * 2);
            EXPECT_EQ(dot.m_dY, 1.0 / g * 2);
        }
    }
}

TEST_F(DotGridTest, FewerWormsThanBehavioursGiveOneCellInTheMiddle) {
    ThePreset().Worms = 3;
    EnableTypes(5);        // share 0
    g_nDotGridCounter = 6; // left over from a preset with a larger lattice
    for (int i = 0; i < 3; ++i) {
        Dot dot;
        EXPECT_TRUE(std::isfinite(dot.m_dX));
        EXPECT_TRUE(std::isfinite(dot.m_dY));
        int x = 0;
        int y = 0;
        dot.GetPosition(x, y);
        EXPECT_EQ(x, 400);
        EXPECT_EQ(y, 300);
        EXPECT_EQ(g_nDotGridCounter, 0);
    }
    for (int& state : ThePreset().m_anTypeStates)
        state = 1;
    ThePreset().Worms = 0; // and no behaviour on at all
    Dot empty;
    EXPECT_TRUE(std::isfinite(empty.m_dX));
    ThePreset().Worms = -7;
    Dot negative;
    EXPECT_TRUE(std::isfinite(negative.m_dY));
}

TEST_F(DotGridTest, WithoutStartInCenterTheRandomStartStays) {
    ThePreset().StartInCenter = false;
    ThePreset().Worms = 50;
    EnableTypes(5);
    SeedRand(4);
    int x = Rand() % 750 + 25;
    SeedRand(4);
    Dot dot;
    EXPECT_EQ(dot.m_dX, x / 600.0);
    EXPECT_EQ(g_nDotGridCounter, 0);
}

using TwistyTest = WormFieldTest;

TEST_F(TwistyTest, FirstFrameFlipsTheTurn) {
    Twisty worm;
    PutAt(worm, 400, 300);
    const double h = worm.m_dHeading;
    const double x = worm.m_dX;
    EXPECT_TRUE(worm.Update(nullptr, 0));
    EXPECT_EQ(worm.m_dHeading, NormaliseHeading(h + 0.5));
    EXPECT_EQ(worm.m_dTurn, 0.99 * 0.5 * (-1.1)); // 0.495 is inside (-0.5, 0.5)
    EXPECT_EQ(worm.m_dTurnFactor, 2 - 0.99);
    EXPECT_EQ(worm.m_dX, x + std::sin(worm.m_dHeading * DegToRad) * 0.0025);
}

TEST_F(TwistyTest, SharpTurnStartsShrinkingAgain) {
    Twisty worm;
    PutAt(worm, 400, 300);
    worm.m_dTurn = -45;
    worm.m_dTurnFactor = 1.01;
    worm.Update(nullptr, 0);
    EXPECT_EQ(worm.m_dTurnFactor, 2 - 1.01);
    EXPECT_EQ(worm.m_dTurn, (2 - 1.01) * (1.01 * -45));
}

TEST_F(TwistyTest, TurnSwingsBetweenHalfAndFortyFiveDegrees) {
    Twisty worm;
    int flips = 0;
    double previous = worm.m_dTurn;
    for (int i = 0; i < 4000; ++i) {
        worm.Update(nullptr, 0);
        ASSERT_GE(std::fabs(worm.m_dTurn), 0.5) << i;
        ASSERT_LE(std::fabs(worm.m_dTurn), 45) << i;
        if ((worm.m_dTurn < 0) != (previous < 0))
            ++flips;
        previous = worm.m_dTurn;
        ASSERT_TRUE(std::isfinite(worm.m_dX) && std::isfinite(worm.m_dY));
    }
    // 0.5 -> 45 takes about 450 frames at 1 % and back as long again.
    EXPECT_GE(flips, 3);
}

using CurvyTest = WormFieldTest;

TEST_F(CurvyTest, AmplitudeAndPhaseBounce) {
    Curvy worm;
    PutAt(worm, 400, 300);
    worm.m_dAmplitude = 0.05;
    worm.m_dAmplitudeStep = -0.1;
    worm.Update(nullptr, 0);
    EXPECT_EQ(worm.m_dAmplitude, 0);
    EXPECT_EQ(worm.m_dAmplitudeStep, 0.1);

    worm.m_dAmplitude = 99.95;
    worm.m_dAmplitudeStep = 0.1;
    worm.m_dPhase = 0.99;
    worm.Update(nullptr, 0);
    EXPECT_EQ(worm.m_dAmplitude, 100);
    EXPECT_EQ(worm.m_dAmplitudeStep, -0.1);
    EXPECT_EQ(worm.m_dPhase, 0.99 + 0.06); // not clipped
    EXPECT_EQ(worm.m_dPhaseStep, -0.06);
}

TEST_F(CurvyTest, WobbleBendsOnlyThisFramesStep) {
    Curvy worm;
    PutAt(worm, 400, 300);
    worm.m_dHeading = 0;
    worm.m_dPhase = 1.0;
    worm.m_dPhaseStep = 0.5;
    worm.m_dAmplitude = 60;
    worm.m_dAmplitudeStep = 0;
    const double x = worm.m_dX;
    const double y = worm.m_dY;
    const double wobble = std::sin(1.5) * 60;
    worm.Update(nullptr, 0);
    EXPECT_EQ(worm.m_dX, x + std::sin(wobble * DegToRad) * 0.005);
    EXPECT_EQ(worm.m_dY, y + std::cos(wobble * DegToRad) * 0.005);
    EXPECT_EQ(worm.m_dHeading, 0);
    EXPECT_EQ(worm.m_dPhaseStep, -0.5);
}

using DragonTest = WormFieldTest;

TEST_F(DragonTest, ConstructorDrawsTimerThenSpeed) {
    SeedRand(31);
    Rand();
    Rand();
    RandUnit();
    int timer = Rand() % 40;
    double speed = 0.002 + RandUnit() * 0.002;
    SeedRand(31);
    Dragon dragon;
    EXPECT_EQ(dragon.m_nMode, Dragon::ModeDarting);
    EXPECT_EQ(dragon.m_nTimer, timer);
    EXPECT_EQ(dragon.m_dSpeed, speed);
}

TEST_F(DragonTest, ExpiredDartTurnsToHovering) {
    bool sawRandom = false;
    bool sawReverse = false;
    for (uint32_t seed = 0; seed < 40; ++seed) {
        Dragon dragon;
        PutAt(dragon, 400, 300);
        dragon.m_nMode = Dragon::ModeDarting;
        dragon.m_nTimer = 1;
        dragon.m_dHeading = 30;
        SeedRand(seed);
        int timer = Rand() % 80;
        bool random = Rand() % 100 < 20;
        double heading = random ? RandUnit() * 359.99 : 210;
        int next = Rand();
        SeedRand(seed);
        EXPECT_TRUE(dragon.Update(nullptr, 0));
        EXPECT_EQ(dragon.m_nMode, Dragon::ModeHovering);
        EXPECT_EQ(dragon.m_nTimer, timer);
        EXPECT_EQ(dragon.m_dSpeed, 0.0005);
        EXPECT_EQ(dragon.m_dHeading, heading);
        EXPECT_EQ(Rand(), next);
        sawRandom = sawRandom || random;
        sawReverse = sawReverse || !random;
    }
    EXPECT_TRUE(sawRandom);
    EXPECT_TRUE(sawReverse);
}

TEST_F(DragonTest, ExpiredHoverStartsADartTurnedAwayFromANearBorder) {
    for (uint32_t seed = 0; seed < 20; ++seed) {
        Dragon dragon;
        PutAt(dragon, 775, 300); // within 30 cells of the right border, not within 20
        dragon.m_nMode = Dragon::ModeHovering;
        dragon.m_nTimer = 0; // a timer drawn as 0 runs out too
        SeedRand(seed);
        int timer = Rand() % 40;
        double heading = RandUnit() * 359.99;
        double speed = 0.002 + RandUnit() * 0.002;
        int next = Rand();
        if (heading < 180)
            heading = NormaliseHeading(-heading);
        SeedRand(seed);
        EXPECT_TRUE(dragon.Update(nullptr, 0));
        EXPECT_EQ(dragon.m_nMode, Dragon::ModeDarting);
        EXPECT_EQ(dragon.m_nTimer, timer);
        EXPECT_EQ(dragon.m_dSpeed, speed);
        EXPECT_EQ(dragon.m_dHeading, heading);
        EXPECT_EQ(Rand(), next); // darting draws nothing more
    }
}

TEST_F(DragonTest, DartIntoTheBorderIsNotPushedBackAndEndsNextFrame) {
    Dragon dragon;
    dragon.Place(779, 300, 90); // speed 0.005 = 3 cells: ends at 782, past 780
    dragon.m_nMode = Dragon::ModeDarting;
    dragon.m_nTimer = 10;
    const double x = dragon.m_dX;
    EXPECT_TRUE(dragon.Update(nullptr, 0));
    EXPECT_EQ(dragon.m_dHeading, 270);
    EXPECT_EQ(dragon.m_dX, x + std::sin(90 * DegToRad) * 0.005);
    EXPECT_EQ(dragon.m_nTimer, 1);
    dragon.Update(nullptr, 0);
    EXPECT_EQ(dragon.m_nMode, Dragon::ModeHovering);
}

TEST_F(DragonTest, HoverIntoTheBorderIsPushedBackOrRecycled) {
    uint32_t seed = 0;
    for (;; ++seed) {
        SeedRand(seed);
        if (Rand() % 100 >= 20)
            break; // a frame that reverses the heading
    }
    Dragon dragon;
    PutAt(dragon, 790, 300);
    dragon.m_nMode = Dragon::ModeHovering;
    dragon.m_nTimer = 10;
    dragon.m_dSpeed = 0.0005;
    dragon.m_dHeading = 270; // reversed to 90, toward the border
    const double x = dragon.m_dX;
    const double dx = std::sin(90 * DegToRad) * 0.0005;
    SeedRand(seed);
    EXPECT_TRUE(dragon.Update(nullptr, 0));
    EXPECT_EQ(dragon.m_dHeading, 270);
    EXPECT_EQ(dragon.m_dX, x + dx - 2 * dx);

    ThePreset().Recycle = true;
    dragon.m_dHeading = 270;
    SeedRand(seed);
    EXPECT_FALSE(dragon.Update(nullptr, 0));
}

using WormyTest = WormFieldTest;

TEST_F(WormyTest, ConstructorDrawsCellThenDirection) {
    SeedRand(12);
    int x = Rand() % 750 + 25;
    int y = Rand() % 550 + 25;
    int direction = Rand() % 8 + 1;
    SeedRand(12);
    Wormy wormy;
    EXPECT_EQ(wormy.m_nType, WormTypeWormy);
    EXPECT_EQ(wormy.m_nX, x);
    EXPECT_EQ(wormy.m_nY, y);
    EXPECT_EQ(wormy.m_nDirection, direction);
    EXPECT_FALSE(wormy.m_bBlocked);
}

TEST_F(WormyTest, PlaceRoundsToTheNearestDirection) {
    const struct {
        double heading;
        int direction;
    } cases[] = {{0, 1},   {22.4, 1}, {22.5, 2}, {90, 3},   {315, 8},  {340, 1},
                 {360, 1}, {400, 2},  {-100, 7}, {-0.1, 1}, {-360, 1}, {720 + 180, 5}};
    for (const auto& c : cases) {
        Wormy wormy;
        wormy.Place(11, 22, c.heading);
        EXPECT_EQ(wormy.m_nDirection, c.direction) << c.heading;
        EXPECT_EQ(wormy.m_nX, 11);
        EXPECT_EQ(wormy.m_nY, 22);
        EXPECT_EQ(wormy.GetHeading(), c.direction * 45.0 - 45) << c.heading;
    }
}

TEST_F(WormyTest, EachDirectionMovesOneCell) {
    const int stepX[9] = {0, 0, 1, 1, 1, 0, -1, -1, -1};
    const int stepY[9] = {0, 1, 1, 0, -1, -1, -1, 0, 1};
    for (int d = 1; d <= 8; ++d) {
        Wormy wormy;
        wormy.Place(400, 300, d * 45.0 - 45);
        wormy.m_bBlocked = true; // no random turn this frame
        SeedRand(3);
        int first = Rand();
        SeedRand(3);
        EXPECT_TRUE(wormy.Update(nullptr, 0));
        EXPECT_EQ(wormy.m_nX, 400 + stepX[d]) << d;
        EXPECT_EQ(wormy.m_nY, 300 + stepY[d]) << d;
        EXPECT_EQ(wormy.m_nDirection, d);
        EXPECT_FALSE(wormy.m_bBlocked);
        EXPECT_EQ(Rand(), first);
    }
}

TEST_F(WormyTest, BlockedByTheBorderItMovedToward) {
    const struct {
        int x, y, direction, turnedTo;
        bool blocked;
    } cases[] = {
        {400, 585, 1, 2, true}, // row H - 15 -> H - 14
        {400, 584, 1, 1, false}, {785, 300, 3, 4, true},
        {400, 15, 5, 6, true},   {10, 300, 8, 1, true}, // 8 wraps to 1
        {400, 5, 3, 3, false}, // inside the bottom margin, but the row did not change
        {5, 300, 3, 3, false}, // moving away from the left border
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " dir " << c.direction);
        Wormy wormy;
        wormy.Place(c.x, c.y, c.direction * 45.0 - 45);
        wormy.m_bBlocked = true;
        EXPECT_TRUE(wormy.Update(nullptr, 0));
        EXPECT_EQ(wormy.m_bBlocked, c.blocked);
        EXPECT_EQ(wormy.m_nDirection, c.turnedTo);
    }
    ThePreset().Recycle = true;
    Wormy wormy;
    wormy.Place(400, 585, 0);
    wormy.m_bBlocked = true;
    EXPECT_FALSE(wormy.Update(nullptr, 0));
    EXPECT_EQ(wormy.m_nY, 586); // the move is not undone
}

TEST_F(WormyTest, RandomTurnWrapsRoundTheEightDirections) {
    bool wrappedDown = false;
    bool wrappedUp = false;
    for (uint32_t seed = 0; seed < 60; ++seed) {
        for (int start : {1, 8}) {
            Wormy wormy;
            wormy.Place(400, 300, start * 45.0 - 45);
            SeedRand(seed);
            int expected = start;
            if (Rand() % 2 == 1) {
                expected += Rand() % 3 - 1;
                if (expected < 1)
                    expected = 8;
                if (expected > 8)
                    expected = 1;
            }
            SeedRand(seed);
            wormy.Update(nullptr, 0);
            EXPECT_EQ(wormy.m_nDirection, expected);
            wrappedDown = wrappedDown || (start == 1 && expected == 8);
            wrappedUp = wrappedUp || (start == 8 && expected == 1);
        }
    }
    EXPECT_TRUE(wrappedDown);
    EXPECT_TRUE(wrappedUp);
}

} // namespace
