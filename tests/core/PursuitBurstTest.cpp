#include "WormTestFixture.h"

#include "behaviours/Firework.h"
#include "behaviours/HeadingWorm.h"
#include "behaviours/Missile.h"
#include "behaviours/Seeker.h"
#include "behaviours/Spark.h"
#include "behaviours/Spinner.h"
#include "behaviours/Spring.h"
#include "behaviours/VelocityWorm.h"
#include "behaviours/WormFactory.h"
#include "settings/WormTypes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {

using PursuitTest = WormFieldTest;
using BurstTest = WormFieldTest;
using FactoryTest = WormFieldTest;

TEST_F(PursuitTest, SpringAloneGivesUpAndNeverMoves) {
    Spring spring;
    spring.m_dX = 0.5;
    spring.m_dY = 0.5;
    Worm* alone[] = {&spring};
    EXPECT_TRUE(spring.Update(alone, 1));
    EXPECT_EQ(spring.m_nTarget, -2);

    CellWorm other(400, 400);
    Worm* both[] = {&spring, &other};
    for (int frame = 0; frame < 10; ++frame)
        EXPECT_TRUE(spring.Update(both, 2));
    EXPECT_EQ(spring.m_nTarget, -2);
    EXPECT_EQ(spring.m_dX, 0.5);
    EXPECT_EQ(spring.m_dY, 0.5);
}

TEST_F(PursuitTest, SpringOnItsTargetsCellDropsItAndSearchesNextFrame) {
    Spring spring;
    spring.m_dX = 300 / 600.0;
    spring.m_dY = 240 / 600.0;
    CellWorm target(300, 240);
    Worm* worms[] = {&spring, &target};
    EXPECT_TRUE(spring.Update(worms, 2));
    EXPECT_EQ(spring.m_nTarget, -1);
    EXPECT_EQ(spring.m_dX, 300 / 600.0);
    EXPECT_EQ(spring.m_dVX, 0);

    target.m_nX = 360; // the target moves off; the next search finds it again
    EXPECT_TRUE(spring.Update(worms, 2));
    EXPECT_EQ(spring.m_nTarget, 1);
    EXPECT_GT(spring.m_dVX, 0);
    EXPECT_EQ(spring.m_dVY, 0);
}

TEST_F(PursuitTest, TargetBeyondAShrunkArrayIsResetBeforeAnythingElse) {
    Spring spring;
    CellWorm a(100, 100);
    CellWorm b(200, 200);
    Worm* worms[] = {&spring, &a, &b};
    spring.m_nTarget = 5;
    spring.Update(worms, 3);
    EXPECT_TRUE(spring.m_nTarget == 1 || spring.m_nTarget == 2) << spring.m_nTarget;
}

TEST_F(PursuitTest, FollowersIgnoreTheirOwnKindAndAxisWorms) {
    Seeker seeker;
    Seeker fellow;
    CellWorm onAxis(0, 300);
    Worm* worms[] = {&seeker, &fellow, &onAxis};
    double x = seeker.m_dX;
    double y = seeker.m_dY;
    for (int frame = 0; frame < 5; ++frame)
        EXPECT_TRUE(seeker.Update(worms, 3));
    EXPECT_EQ(seeker.m_nTarget, -1); // searches again every frame
    EXPECT_EQ(seeker.m_dX, x);
    EXPECT_EQ(seeker.m_dY, y);

    // A target that turns into a worm of the follower's kind is dropped.
    CellWorm target(300, 300);
    Worm* withTarget[] = {&seeker, &target};
    seeker.Update(withTarget, 2);
    ASSERT_EQ(seeker.m_nTarget, 1);
    target.m_nType = WormTypeSeeker;
    seeker.Update(withTarget, 2);
    EXPECT_EQ(seeker.m_nTarget, -1);
    target.m_nType = 15;
}

TEST_F(PursuitTest, SpinnerWithoutTargetCirclesItsLastCentre) {
    Spinner spinner;
    Worm* alone[] = {&spinner};
    double cx = spinner.m_dCentreX;
    double cy = spinner.m_dCentreY;
    for (int frame = 0; frame < 50; ++frame) {
        EXPECT_TRUE(spinner.Update(alone, 1));
        EXPECT_NEAR(std::hypot(spinner.m_dX - cx, spinner.m_dY - cy), spinner.m_dRadius, 1e-12);
        EXPECT_LE(std::fabs(spinner.m_dAngleSpeed), spinner.m_dAngleSpeedLimit);
    }
    EXPECT_EQ(spinner.m_nTarget, -2);
}

TEST_F(PursuitTest, SpinnerCentreFollowsItsTarget) {
    ThePreset().StartInCenter = true;
    Spinner spinner;
    EXPECT_EQ(spinner.m_dAngleSpeedLimit, 0.03);
    CellWorm target(450, 330);
    Worm* worms[] = {&spinner, &target};
    spinner.Update(worms, 2);
    ASSERT_EQ(spinner.m_nTarget, 1);
    EXPECT_EQ(spinner.m_dAngleSpeedLimit, 0.05);
    EXPECT_EQ(spinner.m_dCentreX, 450 / 600.0);
    EXPECT_EQ(spinner.m_dCentreY, 330 / 600.0);
    EXPECT_NEAR(std::hypot(spinner.m_dX - 0.75, spinner.m_dY - 0.55), spinner.m_dRadius, 1e-12);
}

// A pursuer 0.1 units from its target: right, left, above or below it. Headings count clockwise
// from +y (a step moves by sin h along x and cos h along y), so an increasing heading turns
// toward a target exactly when the target lies clockwise of the heading, where
// dx cos h - dy sin h > 0. At 45 degrees that is dx > dy; at 225 degrees dy > dx.
struct SteeringCase {
    double heading;
    int tx, ty; // the target's cell; the pursuer sits on (360, 300), (0.6, 0.5) in units
    bool increasing;
};
const SteeringCase kSteeringCases[] = {
    {45, 420, 300, true},   // right: dx 0.1 > dy 0
    {45, 300, 300, false},  // left: dx -0.1 < dy 0
    {45, 360, 360, false},  // above: dx 0 < dy 0.1
    {45, 360, 240, true},   // below: dx 0 > dy -0.1
    {225, 420, 300, false}, // the mirror image of each
    {225, 300, 300, true},  {225, 360, 360, true}, {225, 360, 240, false},
};

// One frame of the shared steering: the turn rate gains or loses the turn gain by the side the
// target lies on, the heading takes the new rate, the rate decays by 0.9 and the pursuer steps
// `speed` along the new heading. Starting from a rate of 0.25 and a gain of 0.5, a turn toward
// increasing headings leaves the rate at 0.75 and one the other way at -0.25.
template <typename Pursuer> void ExpectOneSteeringStep(Pursuer& pursuer, double speed) {
    for (const SteeringCase& c : kSteeringCases) {
        pursuer.m_nTarget = -1;
        pursuer.m_dX = 0.6;
        pursuer.m_dY = 0.5;
        pursuer.m_dHeading = c.heading;
        pursuer.m_dTurnRate = 0.25;
        pursuer.m_dTurnGain = 0.5;
        CellWorm target(c.tx, c.ty);
        Worm* worms[] = {&pursuer, &target};
        EXPECT_TRUE(pursuer.Update(worms, 2));
        ASSERT_EQ(pursuer.m_nTarget, 1);

        const double rate = c.increasing ? 0.75 : -0.25;
        const double heading = c.heading + rate;
        EXPECT_EQ(pursuer.m_dHeading, heading) << c.heading << " " << c.tx << "," << c.ty;
        EXPECT_EQ(pursuer.m_dTurnRate, rate * 0.9) << c.heading << " " << c.tx << "," << c.ty;
        EXPECT_DOUBLE_EQ(pursuer.m_dX, 0.6 + std::sin(heading * DegToRad) * speed);
        EXPECT_DOUBLE_EQ(pursuer.m_dY, 0.5 + std::cos(heading * DegToRad) * speed);
        EXPECT_FALSE(target.m_bFinished);
    }
}

TEST_F(PursuitTest, SeekerTurnsTowardItsTargetOnEitherSide) {
    Seeker seeker;
    EXPECT_EQ(seeker.m_dSpeed, 0.006);
    ExpectOneSteeringStep(seeker, 0.006);
}

TEST_F(PursuitTest, MissileTurnsTowardItsTargetOnEitherSide) {
    Missile missile;
    EXPECT_EQ(missile.m_dSpeed, 0.003);
    ExpectOneSteeringStep(missile, 0.003);
    EXPECT_FALSE(missile.m_bBurst);
}

TEST_F(PursuitTest, MissileKeepsATargetItCannotFollowThisFrame) {
    Missile missile;
    missile.m_dX = 0.6;
    missile.m_dY = 0.5;
    const double heading = missile.m_dHeading;
    CellWorm target(420, 300);
    Worm* worms[] = {&missile, &target};
    missile.Update(worms, 2);
    ASSERT_EQ(missile.m_nTarget, 1);
    const double x = missile.m_dX;
    EXPECT_NE(missile.m_dHeading, heading);

    // On an axis the target is kept, not searched for again, and the missile waits.
    target.m_nX = 0;
    SeedRand(9);
    const int next = Rand();
    SeedRand(9);
    EXPECT_TRUE(missile.Update(worms, 2));
    EXPECT_EQ(Rand(), next); // no search drew a number
    EXPECT_EQ(missile.m_nTarget, 1);
    EXPECT_EQ(missile.m_dX, x);

    // Unlike the other followers it chases a target that has become one of its own kind...
    target.m_nX = 420;
    target.m_nType = WormTypeMissile;
    missile.Update(worms, 2);
    EXPECT_EQ(missile.m_nTarget, 1);
    EXPECT_NE(missile.m_dX, x);
    target.m_nType = 15;

    // ...but waits when the slot it follows has come to hold the missile itself.
    Worm* swapped[] = {&target, &missile};
    const double y = missile.m_dY;
    EXPECT_TRUE(missile.Update(swapped, 2));
    EXPECT_EQ(missile.m_nTarget, 1);
    EXPECT_EQ(missile.m_dY, y);

    // A slot the array has shrunk below is dropped as for every follower.
    Worm* alone[] = {&missile};
    missile.Update(alone, 1);
    EXPECT_EQ(missile.m_nTarget, -1);
}

TEST_F(BurstTest, MissileFinishesItsTargetBurstsAndBurnsOut) {
    Missile missile;
    Worm* alone[] = {&missile};
    double x = missile.m_dX;
    missile.Update(alone, 1);
    EXPECT_EQ(missile.m_dX, x); // no target: stands still

    missile.m_dX = 0.5;
    missile.m_dY = 0.5;
    CellWorm target(303, 302);
    Worm* worms[] = {&missile, &target};
    int before[17];
    std::copy(std::begin(g_anLiveWorms), std::end(g_anLiveWorms), before);
    EXPECT_TRUE(missile.Update(worms, 2));
    EXPECT_TRUE(target.m_bFinished);
    ASSERT_TRUE(missile.m_bBurst);
    EXPECT_EQ(missile.m_nTimer, 15);
    const size_t n = missile.m_apFragments.size();
    EXPECT_GE(n, 10u);
    EXPECT_LE(n, 13u);
    // Fragments count as live worms of their kind.
    int fragmentType = missile.m_apFragments.front()->m_nType;
    EXPECT_EQ(g_anLiveWorms[fragmentType] - before[fragmentType], static_cast<int>(n));

    int frames = 0;
    while (missile.Update(worms, 2) && frames < 100000)
        ++frames;
    EXPECT_LT(frames, 100000);
    EXPECT_GE(frames, 14); // no thinning before the timer runs out
    EXPECT_TRUE(missile.m_apFragments.empty());
}

TEST_F(BurstTest, FireworkBurstsWhenItsFuseRunsOutAndThinsAfterwards) {
    Firework firework;
    firework.m_nTimer = 70;
    firework.m_dX = 0.6;
    Worm* worms[] = {&firework};
    for (int frame = 1; frame < 70; ++frame) {
        ASSERT_TRUE(firework.Update(worms, 1));
        ASSERT_FALSE(firework.m_bBurst) << frame;
    }
    int px = 0;
    int py = 0;
    firework.GetPosition(px, py);
    ASSERT_TRUE(firework.Update(worms, 1));
    ASSERT_TRUE(firework.m_bBurst);
    EXPECT_EQ(firework.m_nTimer, 20);
    int fx = 0;
    int fy = 0;
    firework.GetPosition(fx, fy);
    EXPECT_EQ(fx, px); // the rocket does not move in the burst frame
    EXPECT_EQ(fy, py);

    const size_t n = firework.m_apFragments.size();
    ASSERT_GE(n, 8u);
    ASSERT_LE(n, 17u);
    for (size_t i = 0; i < n; ++i) {
        auto* fragment = dynamic_cast<ScaledWorm*>(firework.m_apFragments[i].get());
        ASSERT_NE(fragment, nullptr);
        int x = 0;
        int y = 0;
        fragment->GetPosition(x, y);
        EXPECT_EQ(x, px);
        EXPECT_EQ(y, py);
        EXPECT_GE(fragment->m_dScale, 600 / 16.0);
        EXPECT_LE(fragment->m_dScale, 600 / 12.0);
        const double heading = static_cast<double>(i) / n * 360;
        if (auto* h = dynamic_cast<HeadingWorm*>(fragment)) {
            EXPECT_EQ(h->m_dHeading, heading);
            EXPECT_EQ(h->m_dSpeed, 0.005);
        } else {
            auto* v = dynamic_cast<VelocityWorm*>(fragment);
            ASSERT_NE(v, nullptr);
            EXPECT_EQ(v->m_dVX, std::sin(heading * DegToRad) * 0.005);
            EXPECT_EQ(v->m_dVY, std::cos(heading * DegToRad) * 0.005);
        }
    }

    // Without Recycle no fragment ends by itself: only thinning, from the 20th frame on.
    int firstDrop = 0;
    for (int frame = 1; frame <= 100000 && firework.Update(worms, 1); ++frame) {
        if (firstDrop == 0 && firework.m_apFragments.size() < n)
            firstDrop = frame;
    }
    EXPECT_GE(firstDrop, 20);
    EXPECT_TRUE(firework.m_apFragments.empty());
}

// A fragment that records its updates and ends when told to.
class ProbeFragment : public CellWorm {
public:
    ProbeFragment() : CellWorm(100, 100, WormTypeSpark) {}
    bool Update(Worm**, int) override {
        ++m_nUpdates;
        return !m_bDieNow;
    }
    int m_nUpdates = 0;
    bool m_bDieNow = false;
};

TEST_F(BurstTest, FragmentBehindADeadOneMissesThatFrame) {
    Firework firework;
    firework.m_bBurst = true;
    firework.m_nTimer = 20;
    ProbeFragment* probes[4];
    for (ProbeFragment*& probe : probes) {
        probe = new ProbeFragment;
        firework.m_apFragments.emplace_back(probe);
    }
    probes[1]->m_bDieNow = true;
    Worm* worms[] = {&firework};
    EXPECT_TRUE(firework.Update(worms, 1));
    ASSERT_EQ(firework.m_apFragments.size(), 3u);
    EXPECT_EQ(probes[0]->m_nUpdates, 1);
    EXPECT_EQ(probes[2]->m_nUpdates, 0);
    EXPECT_EQ(probes[3]->m_nUpdates, 1);
    EXPECT_EQ(firework.m_apFragments[1].get(), probes[2]);
}

TEST_F(BurstTest, ThinningDrawsNothingUntilTheTimerRunsOut) {
    Firework firework;
    firework.m_bBurst = true;
    firework.m_nTimer = 20;
    for (int i = 0; i < 3; ++i)
        firework.m_apFragments.emplace_back(new ProbeFragment);
    Worm* worms[] = {&firework};

    SeedRand(42);
    const int first = Rand();
    SeedRand(42);
    for (int frame = 1; frame < 20; ++frame)
        ASSERT_TRUE(firework.Update(worms, 1));
    EXPECT_EQ(Rand(), first); // 19 frames without a single draw

    firework.m_nTimer = 20;
    SeedRand(42);
    for (int frame = 1; frame <= 20; ++frame)
        ASSERT_TRUE(firework.Update(worms, 1));
    EXPECT_NE(Rand(), first); // the 20th frame takes its chance
    EXPECT_EQ(firework.m_apFragments.size() < 3, first % 20 == 0);

    firework.m_apFragments.clear();
    EXPECT_FALSE(firework.Update(worms, 1));
}

TEST_F(BurstTest, DeletingABurstFireworkDeletesItsFragments) {
    auto firework = std::make_unique<Firework>();
    for (int i = 0; i < 12; ++i)
        firework->m_apFragments.emplace_back(CreateWormOfType(WormTypeSpark));
    firework->m_bBurst = true;
    int fireworks = g_anLiveWorms[WormTypeFirework];
    int sparks = g_anLiveWorms[WormTypeSpark];
    firework.reset();
    EXPECT_EQ(g_anLiveWorms[WormTypeFirework], fireworks - 1);
    EXPECT_EQ(g_anLiveWorms[WormTypeSpark], sparks - 12);

    Missile missile;
    for (int i = 0; i < 3; ++i)
        missile.m_apFragments.emplace_back(CreateWormOfType(WormTypeSpark));
    missile.OnRemove();
    EXPECT_TRUE(missile.m_apFragments.empty());
    EXPECT_EQ(g_anLiveWorms[WormTypeSpark], sparks - 12);
}

TEST_F(BurstTest, BurstFireworkDrawsItsFragmentsInsteadOfItself) {
    Firework firework;
    firework.m_dX = 0.5;
    firework.m_dY = 0.5;
    auto field = MakeField();
    firework.Draw(field.data());
    EXPECT_EQ(Cell(field, 301, 300), 255);

    firework.m_bBurst = true;
    firework.m_apFragments.emplace_back(new CellWorm(100, 100, WormTypeSpark));
    field = MakeField();
    firework.Draw(field.data());
    EXPECT_EQ(Cell(field, 301, 300), 0);
    EXPECT_EQ(Cell(field, 101, 100), 255);
}

TEST_F(BurstTest, MissileStartingInCenterModeStartsOnABorder) {
    ThePreset().StartInCenter = true;
    const double right = 800 / 600.0 * 0.99;
    const double top = 600 / 600.0 * 0.99;
    for (int i = 0; i < 20; ++i) {
        Missile missile;
        bool onBorder = missile.m_dX == 0.001 || missile.m_dX == right || missile.m_dY == 0.001 ||
                        missile.m_dY == top;
        EXPECT_TRUE(onBorder) << missile.m_dX << "," << missile.m_dY;
        EXPECT_GE(missile.m_dX, 0.001);
        EXPECT_LE(missile.m_dX, right);
        EXPECT_GE(missile.m_dY, 0.001);
        EXPECT_LE(missile.m_dY, top);
    }
}

TEST_F(FactoryTest, MakesEveryBehaviourAndNothingElse) {
    for (int type : {-1, INT_MIN, 15, 17, 18, INT_MAX})
        EXPECT_EQ(CreateWormOfType(type), nullptr) << type;

    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 16}) {
        int before = g_anLiveWorms[type];
        std::unique_ptr<Worm> worm(CreateWormOfType(type));
        ASSERT_NE(worm, nullptr) << type;
        EXPECT_EQ(worm->m_nType, type);
        EXPECT_EQ(g_anLiveWorms[type], before + 1);
        worm.reset();
        EXPECT_EQ(g_anLiveWorms[type], before);
    }
    std::unique_ptr<Worm> spark(CreateWormOfType(16));
    EXPECT_NE(dynamic_cast<Spark*>(spark.get()), nullptr);
}

} // namespace
