#pragma once

#include "behaviours/VelocityWorm.h"

// A burst fragment that falls toward row 0; only its vertical speed is damped.
class Spark : public VelocityWorm {
public:
    Spark();

    bool Update(Worm** worms, int count) override;
};
