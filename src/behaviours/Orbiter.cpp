#include "behaviours/Orbiter.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <algorithm>

namespace {
constexpr double ForceLimit = 0.008;
constexpr double SpeedLimit = 0.01;
} // namespace

Orbiter::Orbiter() : VelocityWorm(WormTypeOrbiter) {}

bool Orbiter::Update(Worm** worms, int count) {
    double ax = 0;
    double ay = 0;
    AccumulateForces(
        worms, count, Force::Toward, ForceLimit,
        [](Worm& other, double dx, double dy, double) {
            // Orbiters ignore each other, this one included. Close up the pull would be violent;
            // the orbiter coasts through instead.
            return other.m_nType != WormTypeOrbiter &&
                   !(-0.01 < dx && dx < 0.01 && -0.01 < dy && dy < 0.01);
        },
        ax, ay);

    m_dVX = std::clamp(m_dVX + ax, -SpeedLimit, SpeedLimit);
    m_dVY = std::clamp(m_dVY + ay, -SpeedLimit, SpeedLimit);

    m_dY += m_dVY;
    m_dX += m_dVX;
    m_dVX *= 0.9999;
    m_dVY *= 0.9999;

    return BounceFromBorder(0.4);
}
