#include "behaviours/Missile.h"

#include "behaviours/Seeker.h"
#include "behaviours/TargetTracking.h"
#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <climits>
#include <cmath>

namespace {
const BurstShape kMissileBurst = {4, 10, 14, 2};
constexpr int FramesBeforeThinning = 15;
constexpr int DropOdds = 18;
} // namespace

Missile::Missile() : HeadingWorm(WormTypeMissile) {
    m_dSpeed = 0.003;
    m_nTarget = TargetSearch;
    m_dTurnGain = 0.1 + RandUnit() * 0.1;
    m_dTurnRate = 0;
    if (CurrentWormPreset().StartInCenter) {
        // The others gather in the middle, so missiles come in from the border.
        double width = g_nFieldWidth / m_dScale;
        double height = g_nFieldHeight / m_dScale;
        m_dX = 0.001 + RandUnit() * (width * 0.99 - 0.001);
        m_dY = 0.001 + RandUnit() * (height * 0.99 - 0.001);
        switch (Rand() % 4) {
        case 0:
            m_dX = width * 0.99;
            break;
        case 1:
            m_dX = 0.001;
            break;
        case 2:
            m_dY = height * 0.99;
            break;
        default:
            m_dY = 0.001;
            break;
        }
    }
}

void Missile::OnRemove() {
    m_apFragments.clear();
}

bool Missile::Update(Worm** worms, int count) {
    // Counted down every frame but only read after the burst; held at the bottom so a missile
    // that hunts forever cannot overflow it.
    if (m_nTimer > INT_MIN)
        m_nTimer -= 1;
    if (m_bBurst)
        return UpkeepFragments(m_apFragments, worms, count, m_nTimer, DropOdds);

    int tx = 0;
    int ty = 0;
    bool newlyFound = false;
    if (!TrackTarget(worms, count, m_nTarget, WormTypeMissile, TargetRule::Hold, tx, ty,
                     newlyFound))
        return true;
    // Slots move as the engine removes worms, so the index can come to name this missile.
    Worm* target = worms[m_nTarget];
    if (target == this)
        return true;

    double dx = tx / m_dScale - m_dX;
    double dy = ty / m_dScale - m_dY;
    SteerToward(m_dHeading, m_dTurnRate, m_dTurnGain, dx, dy);

    if (std::fabs(dx) < 0.01 && std::fabs(dy) < 0.01) {
        // The engine removes the finished target after its next step.
        target->m_bFinished = true;
        int px = 0;
        int py = 0;
        GetPosition(px, py);
        BurstFragments(m_apFragments, px, py, kMissileBurst);
        m_nTimer = FramesBeforeThinning;
        m_bBurst = true;
    }
    return MoveStep();
}

void Missile::Draw(uint16_t* field) {
    if (m_bBurst)
        DrawFragments(m_apFragments, field);
    else
        HeadingWorm::Draw(field);
}
