#include "behaviours/Seeker.h"

#include "behaviours/TargetTracking.h"
#include "behaviours/WormGlobals.h"
#include "settings/WormTypes.h"

#include <cmath>

void SteerToward(double& heading, double& turnRate, double turnGain, double dx, double dy) {
    double sinH = std::sin(heading * DegToRad);
    double cosH = std::cos(heading * DegToRad);
    if (TargetOnIncreasingSide(sinH, cosH, dx, dy))
        turnRate = turnGain + turnRate;
    else
        turnRate = turnRate - turnGain;
    // Left unnormalised; the border reflection brings it back into range.
    heading += turnRate;
    turnRate *= 0.9;
}

Seeker::Seeker() : HeadingWorm(WormTypeSeeker) {
    m_nTarget = TargetSearch;
    m_dSpeed = 0.006;
    m_dTurnGain = 0.5 + RandUnit() * 0.4;
    m_dTurnRate = 0;
}

bool Seeker::Update(Worm** worms, int count) {
    int tx = 0;
    int ty = 0;
    bool newlyFound = false;
    if (!TrackTarget(worms, count, m_nTarget, WormTypeSeeker, TargetRule::Retry, tx, ty,
                     newlyFound))
        return true;
    double dx = tx / m_dScale - m_dX;
    double dy = ty / m_dScale - m_dY;
    SteerToward(m_dHeading, m_dTurnRate, m_dTurnGain, dx, dy);
    return MoveStep();
}
