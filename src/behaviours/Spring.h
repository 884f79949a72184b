#pragma once

#include "behaviours/VelocityWorm.h"

// Accelerated toward a worm of another kind with a constant pull, so it overshoots and swings
// about its target. Once a search fails it stands still for good.
class Spring : public VelocityWorm {
public:
    Spring();

    bool Update(Worm** worms, int count) override;

    // Index into the engine's array, TargetSearch or TargetGivenUp.
    int m_nTarget;
};
