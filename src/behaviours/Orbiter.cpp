#include "behaviours/Orbiter.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double ForceLimit = 0.008;
constexpr double SpeedLimit = 0.01;
} // namespace

Orbiter::Orbiter() : VelocityWorm(WormTypeOrbiter) {}

bool Orbiter::Update(Worm** worms, int count) {
    double ax = 0;
    double ay = 0;
    for (int i = 0; i < count; ++i) {
        Worm* other = worms[i];
        // Orbiters ignore each other, this one included.
        if (other == nullptr || other->m_nType == WormTypeOrbiter)
            continue;
        double dx = 0;
        double dy = 0;
        if (!OffsetTo(*other, dx, dy))
            continue;
        // Close up the pull would be violent; the orbiter coasts through instead.
        if (-0.01 < dx && dx < 0.01 && -0.01 < dy && dy < 0.01)
            continue;
        double d2 = dx * dx + dy * dy;
        double d = std::sqrt(d2);
        double f = 5e-7 / d2;
        double fx = std::clamp(f * dx / d, -ForceLimit, ForceLimit);
        double fy = std::clamp(f * dy / d, -ForceLimit, ForceLimit);
        ax += fx;
        ay += fy;
    }

    m_dVX = std::clamp(m_dVX + ax, -SpeedLimit, SpeedLimit);
    m_dVY = std::clamp(m_dVY + ay, -SpeedLimit, SpeedLimit);

    m_dY += m_dVY;
    m_dX += m_dVX;
    m_dVX *= 0.9999;
    m_dVY *= 0.9999;

    return BounceFromBorder(0.4);
}
