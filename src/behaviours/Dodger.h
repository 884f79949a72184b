#pragma once

#include "behaviours/VelocityWorm.h"

// Repelled by every other worm and by the four walls, so dodgers spread out over the field.
class Dodger : public VelocityWorm {
public:
    Dodger();

    bool Update(Worm** worms, int count) override;
};
