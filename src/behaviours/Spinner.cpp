#include "behaviours/Spinner.h"

#include "behaviours/TargetTracking.h"
#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <cmath>

Spinner::Spinner() : HeadingWorm(WormTypeSpinner) {
    m_nTarget = TargetSearch;
    m_dCentreX = InitialX() / m_dScale;
    m_dCentreY = InitialY() / m_dScale;
    m_dAngle = RandUnit() * 359.99;
    if (CurrentWormPreset().StartInCenter) {
        // Starting together in the centre: wide, slow circles so the spinners spread out.
        m_dAngleSpeedLimit = 0.03;
        m_dAngleAcceleration = -0.00007;
        m_dRadius = 0.05 + RandUnit() * 0.4;
    } else {
        m_dAngleSpeedLimit = 0.05;
        m_dAngleAcceleration = -0.00003;
        m_dRadius = 0.01 + RandUnit() * 0.09;
    }
    m_dAngleSpeed = m_dAngleSpeedLimit;
    if (Rand() % 2 == 0) {
        m_dAngleSpeed = -m_dAngleSpeed;
        m_dAngleAcceleration = -m_dAngleAcceleration;
    }
}

bool Spinner::Update(Worm** worms, int count) {
    int tx = 0;
    int ty = 0;
    bool newlyFound = false;
    bool hasTarget = TrackTarget(worms, count, m_nTarget, WormTypeSpinner, TargetRule::GiveUp, tx,
                                 ty, newlyFound);
    if (newlyFound) {
        // A new target always gets a small circle, whatever the preset.
        m_dRadius = 0.01 + RandUnit() * 0.09;
        m_dAngleSpeedLimit = 0.05;
        m_dAngleAcceleration = -0.00003;
        m_dAngleSpeed = 0.05;
        if (Rand() % 2 == 0)
            m_dAngleSpeed = -0.05;
    }
    if (hasTarget) {
        m_dCentreX = tx / m_dScale;
        m_dCentreY = ty / m_dScale;
    }

    m_dX = std::sin(m_dAngle) * m_dRadius + m_dCentreX;
    m_dY = std::cos(m_dAngle) * m_dRadius + m_dCentreY;

    m_dAngle += m_dAngleSpeed;
    m_dAngle = NormaliseHeading(m_dAngle);

    m_dAngleSpeed += m_dAngleAcceleration;
    if (m_dAngleSpeed < -m_dAngleSpeedLimit) {
        m_dAngleSpeed = -m_dAngleSpeedLimit;
        m_dAngleAcceleration = -m_dAngleAcceleration;
    }
    if (m_dAngleSpeed > m_dAngleSpeedLimit) {
        m_dAngleSpeed = m_dAngleSpeedLimit;
        m_dAngleAcceleration = -m_dAngleAcceleration;
    }

    // Detection only: the circle, not a reflection, decides where the spinner goes.
    int sideX = 0;
    int sideY = 0;
    if (Worm::CheckEdges(sideX, sideY, 15) && CurrentWormPreset().Recycle)
        return false;
    return true;
}
