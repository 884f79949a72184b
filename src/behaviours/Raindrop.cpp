#include "behaviours/Raindrop.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

double g_dRaindropWind = 0;

Raindrop::Raindrop() : VelocityWorm(WormTypeRaindrop) {
    m_dX = InitialX() / m_dScale;
    m_dY = (g_nFieldHeight / m_dScale) * 0.97;
    m_dVX = 0;
    m_dVY = -0.002 + RandUnit() * 0.001;
    m_dGravity = -0.00001;
}

bool Raindrop::Update(Worm**, int) {
    // Rand() never exceeds 32767, so only a draw of 0 changes the wind.
    int r = Rand();
    if (r % 100000 == 0)
        g_dRaindropWind = -0.000008 + RandUnit() * 0.000016;

    m_dVX += g_dRaindropWind;
    m_dVY += m_dGravity;
    m_dX += m_dVX;
    m_dY += m_dVY;

    int sideX = 0;
    int sideY = 0;
    if (!CheckEdges(sideX, sideY, 15))
        return true;
    // The velocity is already reflected: three steps back inside, then mirrored across.
    if (sideX != 0)
        m_dX = g_nFieldWidth / m_dScale - (m_dX + 3 * m_dVX);
    if (sideY != 0) {
        m_dX = InitialX() / m_dScale;
        m_dY = (g_nFieldHeight / m_dScale) * 0.97;
        m_dVX = 0;
    }
    m_dVY = -0.002 + RandUnit() * 0.001;
    return true;
}
