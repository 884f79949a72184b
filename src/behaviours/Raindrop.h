#pragma once

#include "behaviours/VelocityWorm.h"

// Falls from near the top, drifting with the wind shared by all raindrops. At the bottom (or
// top) it starts again from the top; at a side it reappears mirrored on the other side.
class Raindrop : public VelocityWorm {
public:
    Raindrop();

    // Never returns false: raindrops ignore Recycle.
    bool Update(Worm** worms, int count) override;

    // Added to the vertical velocity every frame.
    double m_dGravity;
};

// Sideways acceleration felt by every raindrop; redrawn now and then by any of them.
extern double g_dRaindropWind;
