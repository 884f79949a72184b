#pragma once

#include "behaviours/VelocityWorm.h"

// Drifts in a straight line, bouncing off the borders. A leaf starts at rest and moves only
// once Place has given it a velocity.
class Leaf : public VelocityWorm {
public:
    Leaf();

    bool Update(Worm** worms, int count) override;
};
