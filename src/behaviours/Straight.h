#pragma once

#include "behaviours/HeadingWorm.h"

// Flies straight on, bouncing off the borders.
class Straight : public HeadingWorm {
public:
    Straight();

    bool Update(Worm** worms, int count) override;
};
