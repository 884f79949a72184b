#pragma once

#include "behaviours/HeadingWorm.h"

// Stands still. With StartInCenter the dots are laid out on a lattice across the field.
class Dot : public HeadingWorm {
public:
    Dot();

    bool Update(Worm** worms, int count) override;
};

// Position of the next dot on the lattice, shared by all dots.
extern int g_nDotGridCounter;
