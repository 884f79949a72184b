#include "behaviours/Curvy.h"

#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <cmath>

Curvy::Curvy() : HeadingWorm(WormTypeCurvy) {}

bool Curvy::Update(Worm**, int) {
    m_dPhase += m_dPhaseStep;
    if (m_dPhase > 1 || m_dPhase < -1)
        m_dPhaseStep = -m_dPhaseStep;
    double wobble = std::sin(m_dPhase) * m_dAmplitude;

    m_dAmplitude += m_dAmplitudeStep;
    if (m_dAmplitude < 0) {
        m_dAmplitude = 0;
        m_dAmplitudeStep = -m_dAmplitudeStep;
    } else if (m_dAmplitude > 100) {
        m_dAmplitude = 100;
        m_dAmplitudeStep = -m_dAmplitudeStep;
    }

    // The wobble only bends this frame's step; the base heading changes only at the border.
    m_dHeading += wobble;
    m_dHeading = NormaliseHeading(m_dHeading);
    bool result = MoveStep();
    m_dHeading -= wobble;
    m_dHeading = NormaliseHeading(m_dHeading);
    return result;
}
