#include "behaviours/Firework.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

namespace {
const BurstShape kFireworkBurst = {10, 8, 12, 4};
constexpr int FramesBeforeThinning = 20;
constexpr int DropOdds = 20;
} // namespace

Firework::Firework() : VelocityWorm(WormTypeFirework) {
    m_dY = 0.01;
    if (CurrentWormPreset().StartInCenter) {
        // Launched together from the middle: longer fuses, steeper climbs.
        m_nTimer = Rand() % 180 + 260;
        m_dVX = -0.001 + RandUnit() * 0.002;
        m_dVY = 0.005 + RandUnit() * 0.001;
    } else {
        m_nTimer = Rand() % 60 + 70;
        m_dVX = -0.002 + RandUnit() * 0.004;
        m_dVY = 0.004 + RandUnit() * 0.004999999999999999;
    }
}

void Firework::OnRemove() {
    m_apFragments.clear();
}

bool Firework::Update(Worm** worms, int count) {
    m_nTimer -= 1;
    if (m_bBurst)
        return UpkeepFragments(m_apFragments, worms, count, m_nTimer, DropOdds);
    if (m_nTimer != 0) {
        m_dVY -= 0.00002;
        return MoveStep();
    }
    int px = 0;
    int py = 0;
    GetPosition(px, py);
    BurstFragments(m_apFragments, px, py, kFireworkBurst);
    m_nTimer = FramesBeforeThinning;
    m_bBurst = true;
    return true;
}

void Firework::Draw(uint16_t* field) {
    if (m_bBurst)
        DrawFragments(m_apFragments, field);
    else
        VelocityWorm::Draw(field);
}
