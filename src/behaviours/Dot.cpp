#include "behaviours/Dot.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <cmath>

int g_nDotGridCounter = 0;

Dot::Dot() : HeadingWorm(WormTypeDot) {
    m_dSpeed = 0;
    Preset& preset = CurrentWormPreset();
    if (!preset.StartInCenter)
        return;

    int enabled = 0;
    for (int state : preset.m_anTypeStates)
        if (state == 0)
            ++enabled;
    if (enabled < 1)
        enabled = 1;
    int share = preset.Worms / enabled;

    if (share < 1) {
        // Fewer dots than behaviours leave no lattice to fill: a single cell in the middle.
        m_dX = (g_nFieldWidth / m_dScale) / 2;
        m_dY = (g_nFieldHeight / m_dScale) / 2;
    } else {
        double g = std::sqrt(static_cast<double>(share));
        int c = g_nDotGridCounter;
        m_dX = (g_nFieldWidth / m_dScale) / g * (c % static_cast<int>(g) + 1);
        m_dY = (g_nFieldHeight / m_dScale) / g * (std::trunc(c / g) + 1);
    }

    g_nDotGridCounter += 1;
    if (g_nDotGridCounter > share)
        g_nDotGridCounter = 0;
}

bool Dot::Update(Worm**, int) {
    return MoveStep();
}
