#include "behaviours/Dragon.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <cmath>

Dragon::Dragon() : HeadingWorm(WormTypeDragon) {
    m_nTimer = Rand() % 40;
    m_dSpeed = 0.002 + RandUnit() * 0.002;
}

bool Dragon::Update(Worm**, int) {
    int sideX = 0;
    int sideY = 0;

    m_nTimer -= 1;
    if (m_nTimer <= 0) {
        m_nMode = 1 - m_nMode;
        if (m_nMode == ModeDarting) {
            m_nTimer = Rand() % 40;
            m_dHeading = RandUnit() * 359.99;
            m_dSpeed = 0.002 + RandUnit() * 0.002;
            // Only to turn a fresh dart away from a nearby border.
            CheckEdges(sideX, sideY, 30);
        } else {
            m_nTimer = Rand() % 80;
            m_dSpeed = 0.0005;
        }
    }

    if (m_nMode == ModeHovering) {
        if (Rand() % 100 < 20) {
            m_dHeading = RandUnit() * 359.99;
        } else {
            m_dHeading += 180;
            m_dHeading = NormaliseHeading(m_dHeading);
        }
    }

    double dx = std::sin(m_dHeading * DegToRad) * m_dSpeed;
    double dy = std::cos(m_dHeading * DegToRad) * m_dSpeed;
    m_dY += dy;
    m_dX += dx;

    if (!CheckEdges(sideX, sideY, 20))
        return true;
    if (CurrentWormPreset().Recycle)
        return false;
    if (m_nMode == ModeDarting) {
        // A dart that hits the border ends; the dragon hovers from the next frame.
        m_nTimer = 1;
        return true;
    }
    if (sideX != 0)
        m_dX -= 2 * dx;
    if (sideY != 0)
        m_dY -= 2 * dy;
    return true;
}
