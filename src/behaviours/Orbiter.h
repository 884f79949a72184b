#pragma once

#include "behaviours/VelocityWorm.h"

// Pulled toward every worm of another kind, so orbiters swarm round the rest of the population.
class Orbiter : public VelocityWorm {
public:
    Orbiter();

    bool Update(Worm** worms, int count) override;
};
