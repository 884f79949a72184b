#pragma once

#include "behaviours/HeadingWorm.h"

// Circles round a target (or, without one, round a fixed centre), its angular speed swinging
// back and forth between the limits so that it slows, stops and circles back. The inherited
// heading is only reported, never used for moving.
class Spinner : public HeadingWorm {
public:
    Spinner();

    bool Update(Worm** worms, int count) override;

    // Index into the engine's array, TargetSearch or TargetGivenUp.
    int m_nTarget;
    // The point circled, in units.
    double m_dCentreX;
    double m_dCentreY;
    double m_dRadius;
    // Radians per frame.
    double m_dAngleSpeedLimit;
    // Radians.
    double m_dAngle;
    double m_dAngleSpeed;
    double m_dAngleAcceleration;
};
