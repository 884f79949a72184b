#include "behaviours/Twisty.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

Twisty::Twisty() : HeadingWorm(WormTypeTwisty) {
    m_dSpeed = 0.0025;
}

bool Twisty::Update(Worm**, int) {
    m_dHeading += m_dTurn;
    m_dHeading = NormaliseHeading(m_dHeading);
    m_dTurn = m_dTurnFactor * m_dTurn;
    if (-0.5 < m_dTurn && m_dTurn < 0.5) {
        // Nearly straight: turn the other way and start growing.
        m_dTurnFactor = 2 - m_dTurnFactor;
        m_dTurn = m_dTurn * (-1.1);
    } else if (m_dTurn > 45 || m_dTurn < -45) {
        m_dTurnFactor = 2 - m_dTurnFactor;
        m_dTurn = m_dTurnFactor * m_dTurn;
    }
    return MoveStep();
}
