#include "WormTestFixture.h"

#include "behaviours/Dodger.h"
#include "behaviours/Leaf.h"
#include "behaviours/Orbiter.h"
#include "behaviours/Raindrop.h"

#include <cmath>

namespace {

using RaindropTest = WormFieldTest;
using VelocityForceTest = WormFieldTest;

TEST_F(RaindropTest, SideMarginMirrorsTheDropAcrossTheField) {
    g_dRaindropWind = 0;
    Raindrop drop;
    drop.m_dX = 1.319;
    drop.m_dVX = 0.001;
    drop.m_dY = 0.5;
    drop.m_dVY = 0;
    ThePreset().Recycle = true; // raindrops ignore it

    ASSERT_TRUE(drop.Update(nullptr, 0));
    ASSERT_EQ(g_dRaindropWind, 0); // the seed does not redraw the wind on this frame
    EXPECT_EQ(drop.m_dVX, -0.001);
    // Moved to 1.32 (column 792), taken back three steps and mirrored: 4/3 - 1.317.
    EXPECT_EQ(drop.m_dX, 800 / 600.0 - ((1.319 + 0.001) + 3 * -0.001));
    EXPECT_NEAR(drop.m_dX, 0.0163333333, 1e-9);
    EXPECT_GE(drop.m_dVY, -0.002);
    EXPECT_LE(drop.m_dVY, -0.001);
}

TEST_F(RaindropTest, BottomMarginStartsANewDropAtTheTop) {
    g_dRaindropWind = 0;
    Raindrop drop;
    drop.m_dX = 0.7;
    drop.m_dVX = 0.0004;
    drop.m_dY = 0.02;
    drop.m_dVY = -0.002;

    SeedRand(7);
    ASSERT_TRUE(drop.Update(nullptr, 0));

    // Replay the draws: the wind check, the new column, the new fall speed.
    SeedRand(7);
    ASSERT_NE(Rand(), 0);
    double column = InitialX() / 600.0;
    double fall = -0.002 + RandUnit() * 0.001;
    EXPECT_EQ(drop.m_dX, column);
    EXPECT_EQ(drop.m_dY, (600 / 600.0) * 0.97);
    EXPECT_EQ(drop.m_dVX, 0);
    EXPECT_EQ(drop.m_dVY, fall);
}

TEST_F(RaindropTest, DropsFallAndStayInsideTheField) {
    g_dRaindropWind = 0.000008;
    Raindrop drop;
    double startY = drop.m_dY;
    ASSERT_TRUE(drop.Update(nullptr, 0));
    EXPECT_LT(drop.m_dY, startY);
    for (int frame = 0; frame < 5000; ++frame) {
        ASSERT_TRUE(drop.Update(nullptr, 0));
        int x = 0;
        int y = 0;
        drop.GetPosition(x, y);
        ASSERT_GE(x, 0);
        ASSERT_LT(x, 800);
        ASSERT_GE(y, 0);
        ASSERT_LT(y, 600);
    }
    g_dRaindropWind = 0;
}

TEST_F(VelocityForceTest, LeafAtRestInTheMarginStaysEvenWithRecycle) {
    ThePreset().Recycle = true;
    Leaf leaf;
    leaf.m_dX = 5 / 600.0;
    leaf.m_dY = 0.5;
    EXPECT_TRUE(leaf.Update(nullptr, 0));
    EXPECT_EQ(leaf.m_dX, 5 / 600.0);
    EXPECT_EQ(leaf.m_dY, 0.5);
}

// Two identical dodgers, one updated alone and one beside another worm, end up in the same
// place exactly when that worm exerts no force.
void ExpectNoForceFrom(Worm* other, double x, double y) {
    Dodger alone;
    Dodger beside;
    for (Dodger* d : {&alone, &beside}) {
        d->m_dX = x;
        d->m_dY = y;
        d->m_dVX = 0;
        d->m_dVY = 0;
    }
    Worm* single[] = {&alone};
    Worm* pair[] = {&beside, other};
    alone.Update(single, 1);
    beside.Update(pair, 2);
    EXPECT_EQ(beside.m_dX, alone.m_dX);
    EXPECT_EQ(beside.m_dY, alone.m_dY);
    EXPECT_EQ(beside.m_dVX, alone.m_dVX);
    EXPECT_EQ(beside.m_dVY, alone.m_dVY);
}

TEST_F(VelocityForceTest, DodgerIgnoresWormsTooFarTooCloseOrOnAnAxis) {
    CellWorm far(300 + 360, 300); // 0.6 units away
    ExpectNoForceFrom(&far, 0.5, 0.5);
    CellWorm same(300, 300); // on the dodger's own cell
    ExpectNoForceFrom(&same, 0.5, 0.5);
    CellWorm onAxis(0, 310); // column 0 does not count
    ExpectNoForceFrom(&onAxis, 5 / 600.0 + 0.01, 0.5);
}

TEST_F(VelocityForceTest, DodgerIsPushedAwayFromANearbyWorm) {
    Dodger dodger;
    dodger.m_dX = 0.5;
    dodger.m_dY = 0.5;
    dodger.m_dVX = 0;
    dodger.m_dVY = 0;
    CellWorm right(330, 300); // 0.05 units to the right
    Worm* worms[] = {&dodger, &right};
    dodger.Update(worms, 2);
    // The wall pull at this spot is far weaker than the worm's push.
    EXPECT_LT(dodger.m_dVX, 0);
    EXPECT_LT(dodger.m_dX, 0.5);
}

TEST_F(VelocityForceTest, DodgerOnAWallIsPushedOffItWithFiniteValues) {
    const double right = 800 / 600.0;
    struct Case {
        double x, y, signX, signY;
    } cases[] = {{0, 0, 1, 1}, {right, 1, -1, -1}, {0, 0.5, 1, 0}, {0.5, 1, 0, -1}};
    for (const Case& c : cases) {
        Dodger dodger;
        dodger.m_dX = c.x;
        dodger.m_dY = c.y;
        dodger.m_dVX = 0;
        dodger.m_dVY = 0;
        Worm* worms[] = {&dodger};
        EXPECT_TRUE(dodger.Update(worms, 1));
        EXPECT_TRUE(std::isfinite(dodger.m_dX) && std::isfinite(dodger.m_dY));
        EXPECT_TRUE(std::isfinite(dodger.m_dVX) && std::isfinite(dodger.m_dVY));
        // On a wall the push is the clipped maximum, which the speed limit then caps.
        if (c.signX != 0) {
            EXPECT_EQ(dodger.m_dVX, c.signX * 0.004 * 0.999) << c.x << "," << c.y;
        }
        if (c.signY != 0) {
            EXPECT_EQ(dodger.m_dVY, c.signY * 0.004 * 0.999) << c.x << "," << c.y;
        }
        for (int frame = 0; frame < 200; ++frame)
            dodger.Update(worms, 1);
        EXPECT_TRUE(std::isfinite(dodger.m_dX) && std::isfinite(dodger.m_dY));
    }
}

TEST_F(VelocityForceTest, OrbiterAmongOrbitersOnlyCoastsAndDamps) {
    Orbiter orbiter;
    Orbiter other;
    orbiter.m_dX = 0.5;
    orbiter.m_dY = 0.5;
    orbiter.m_dVX = 0.001;
    orbiter.m_dVY = -0.002;
    other.m_dX = 0.6;
    other.m_dY = 0.5;
    Worm* worms[] = {&orbiter, &other};
    EXPECT_TRUE(orbiter.Update(worms, 2));
    EXPECT_EQ(orbiter.m_dX, 0.5 + 0.001);
    EXPECT_EQ(orbiter.m_dY, 0.5 + -0.002);
    EXPECT_EQ(orbiter.m_dVX, 0.001 * 0.9999);
    EXPECT_EQ(orbiter.m_dVY, -0.002 * 0.9999);
}

TEST_F(VelocityForceTest, OrbiterIsPulledOnlyByWormsOutsideItsNearBox) {
    Orbiter orbiter;
    orbiter.m_dX = 0.5;
    orbiter.m_dY = 0.5;
    CellWorm near(305, 305); // 0.0083 units off on both axes: inside the box
    Worm* nearOnly[] = {&orbiter, &near};
    orbiter.Update(nearOnly, 2);
    EXPECT_EQ(orbiter.m_dX, 0.5);
    EXPECT_EQ(orbiter.m_dY, 0.5);

    CellWorm above(300, 360); // 0.1 units straight up
    Worm* withAbove[] = {&orbiter, &above};
    orbiter.Update(withAbove, 2);
    EXPECT_EQ(orbiter.m_dVX, 0);
    EXPECT_GT(orbiter.m_dVY, 0);
    EXPECT_GT(orbiter.m_dY, 0.5);
}

// A worm 0.125 units (75 cells) right, left, above or below one at (0.5, 0.5). Every offset,
// its square and the square's root are exact, so the force is 5e-7 / 0.125² = 3.2e-5 along the
// offset's axis and exactly 0 across it.
struct ForceCase {
    int x, y;
    double towardX, towardY; // unit vector from the worm to the other one
};
const ForceCase kForceCases[] = {
    {375, 300, 1, 0}, {225, 300, -1, 0}, {300, 375, 0, 1}, {300, 225, 0, -1}};

// A worm at rest beside each case's other worm: the force, `sense` times the unit offset,
// becomes the velocity, moves the worm and is then damped.
template <typename W> void ExpectForceAlongTheOffset(double sense, double damping) {
    for (const ForceCase& c : kForceCases) {
        W worm;
        worm.m_dX = 0.5;
        worm.m_dY = 0.5;
        worm.m_dVX = 0;
        worm.m_dVY = 0;
        CellWorm other(c.x, c.y);
        Worm* worms[] = {&worm, &other};
        EXPECT_TRUE(worm.Update(worms, 2));
        const double vx = sense * c.towardX * 3.2e-5;
        const double vy = sense * c.towardY * 3.2e-5;
        EXPECT_DOUBLE_EQ(worm.m_dX, 0.5 + vx) << c.x << "," << c.y;
        EXPECT_DOUBLE_EQ(worm.m_dY, 0.5 + vy) << c.x << "," << c.y;
        EXPECT_DOUBLE_EQ(worm.m_dVX, vx * damping) << c.x << "," << c.y;
        EXPECT_DOUBLE_EQ(worm.m_dVY, vy * damping) << c.x << "," << c.y;
    }
}

TEST_F(VelocityForceTest, OrbiterIsPulledAlongTheOffsetToAWorm) {
    ExpectForceAlongTheOffset<Orbiter>(1, 0.9999);
}

TEST_F(VelocityForceTest, DodgerIsPushedAlongTheOffsetAwayFromAWorm) {
    // On a square field the centre feels equal and opposite wall pulls, which cancel exactly.
    SetField(600, 600);
    ExpectForceAlongTheOffset<Dodger>(-1, 0.999);
}

TEST_F(VelocityForceTest, ForcesOfSeveralWormsAdd) {
    SetField(600, 600);
    Orbiter orbiter;
    Dodger dodger;
    for (VelocityWorm* w :
         {static_cast<VelocityWorm*>(&orbiter), static_cast<VelocityWorm*>(&dodger)}) {
        w->m_dX = 0.5;
        w->m_dY = 0.5;
        w->m_dVX = 0;
        w->m_dVY = 0;
    }
    // Right and above at 0.125, and left at 0.25 (5e-7 / 0.0625 = 8e-6): x 3.2e-5 - 8e-6.
    CellWorm right(375, 300);
    CellWorm above(300, 375);
    CellWorm farLeft(150, 300);
    Worm* forOrbiter[] = {&right, &orbiter, &above, &farLeft};
    orbiter.Update(forOrbiter, 4);
    EXPECT_DOUBLE_EQ(orbiter.m_dVX, (3.2e-5 - 8e-6) * 0.9999);
    EXPECT_DOUBLE_EQ(orbiter.m_dVY, 3.2e-5 * 0.9999);
    Worm* forDodger[] = {&right, &dodger, &above, &farLeft};
    dodger.Update(forDodger, 4);
    EXPECT_DOUBLE_EQ(dodger.m_dVX, -(3.2e-5 - 8e-6) * 0.999);
    EXPECT_DOUBLE_EQ(dodger.m_dVY, -3.2e-5 * 0.999);
}

} // namespace
