#pragma once

#include "behaviours/HeadingWorm.h"

// Alternates between short straight darts and hovering on the spot.
class Dragon : public HeadingWorm {
public:
    Dragon();

    bool Update(Worm** worms, int count) override;

    enum { ModeDarting = 0, ModeHovering = 1 };
    int m_nMode = ModeDarting;
    // Frames left in the current mode.
    int m_nTimer;
};
