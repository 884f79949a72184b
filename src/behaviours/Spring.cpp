#include "behaviours/Spring.h"

#include "behaviours/TargetTracking.h"
#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <cmath>

namespace {
// Cells per frame per frame, whatever the distance.
constexpr double Pull = 1.0 / 30;
} // namespace

Spring::Spring() : VelocityWorm(WormTypeSpring) {
    m_nTarget = TargetSearch;
}

bool Spring::Update(Worm** worms, int count) {
    int tx = 0;
    int ty = 0;
    bool newlyFound = false;
    if (!TrackTarget(worms, count, m_nTarget, WormTypeSpring, TargetRule::GiveUp, tx, ty,
                     newlyFound))
        return true;
    double dx = tx / m_dScale - m_dX;
    double dy = ty / m_dScale - m_dY;
    if (dx == 0 && dy == 0) {
        m_nTarget = TargetSearch;
        return true;
    }
    double d = std::sqrt(dx * dx + dy * dy);
    // A distance too small to square has no usable direction either.
    if (d == 0) {
        m_nTarget = TargetSearch;
        return true;
    }
    m_dVX = (dx / d * Pull / m_dScale + m_dVX) * 0.99;
    m_dVY = (dy / d * Pull / m_dScale + m_dVY) * 0.99;
    return MoveStep();
}
