#pragma once

#include "behaviours/HeadingWorm.h"

// Spirals: the turn per frame shrinks until it flips sign, then grows until it is sharp, and
// so on, so the path alternately tightens and widens.
class Twisty : public HeadingWorm {
public:
    Twisty();

    bool Update(Worm** worms, int count) override;

    // Degrees added to the heading per frame.
    double m_dTurn = 0.5;
    // Multiplies the turn every frame.
    double m_dTurnFactor = 0.99;
};
