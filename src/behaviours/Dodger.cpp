#include "behaviours/Dodger.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double ForceLimit = 0.008;
constexpr double SpeedLimit = 0.004;

// Pull toward a wall at signed distance d along one axis: 5e-7 / d² with the sign of d.
// farWall is +1 for the wall at the high end of the axis, -1 for the one at 0. On the wall
// itself the law has no direction; the strongest force that survives the clip, pointing away
// from that wall, stands in for it.
double WallPull(double d, double farWall) {
    if (d == 0)
        return farWall * ForceLimit;
    return 5e-7 / (d * d) * d / std::fabs(d);
}
} // namespace

Dodger::Dodger() : VelocityWorm(WormTypeDodger) {
    m_dVX = -0.00001 + RandUnit() * 0.00002;
    m_dVY = -0.00001 + RandUnit() * 0.00002;
}

bool Dodger::Update(Worm** worms, int count) {
    double ax = 0;
    double ay = 0;
    AccumulateForces(
        worms, count, Force::Away, ForceLimit,
        [this](Worm& other, double, double, double d2) {
            // Too far to matter, or so close that the direction is meaningless.
            return &other != this && !(d2 > 0.25 || d2 < 1e-8);
        },
        ax, ay);

    double wx = WallPull(-m_dX, -1) + WallPull(g_nFieldWidth / m_dScale - m_dX, 1);
    double wy = WallPull(-m_dY, -1) + WallPull(1 - m_dY, 1);
    wx = std::clamp(wx, -ForceLimit, ForceLimit);
    wy = std::clamp(wy, -ForceLimit, ForceLimit);

    m_dVX = std::clamp(ax - wx + m_dVX, -SpeedLimit, SpeedLimit);
    m_dVY = std::clamp(ay - wy + m_dVY, -SpeedLimit, SpeedLimit);

    m_dY += m_dVY;
    m_dX += m_dVX;
    m_dVX *= 0.999;
    m_dVY *= 0.999;

    return BounceFromBorder(0.9);
}
