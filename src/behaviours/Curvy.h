#pragma once

#include "behaviours/HeadingWorm.h"

// Snakes about a base heading; the swing itself slowly grows and fades.
class Curvy : public HeadingWorm {
public:
    Curvy();

    bool Update(Worm** worms, int count) override;

    double m_dPhase = 0; // radians
    double m_dPhaseStep = 0.06;
    double m_dAmplitude = 100; // degrees
    double m_dAmplitudeStep = -0.1;
};
