#pragma once

#include "behaviours/HeadingWorm.h"

// Steers its heading toward a worm of another kind. Without a target it waits in place and
// searches again every frame.
class Seeker : public HeadingWorm {
public:
    Seeker();

    bool Update(Worm** worms, int count) override;

    // Index into the engine's array, or TargetSearch.
    int m_nTarget;
    // Added to or taken from the turn rate each frame, by the side the target lies on.
    double m_dTurnGain;
    // Degrees added to the heading per frame; decays so the turn stays bounded.
    double m_dTurnRate;
};

// One frame of steering toward a target at (dx, dy) units, shared with the missile.
void SteerToward(double& heading, double& turnRate, double turnGain, double dx, double dy);
