#pragma once

#include "behaviours/Worm.h"

#include <cstdint>
#include <memory>
#include <vector>

// The fragments a bursting worm owns once it has burst.
using FragmentList = std::vector<std::unique_ptr<Worm>>;

// How one kind of burst spreads its fragments.
struct BurstShape {
    int countRange; // fragment count is rand() % countRange + countBase
    int countBase;
    double divisorLow; // each fragment's scale is divided by divisorLow + RandUnit() * span
    double divisorSpan;
};

// Fills the list with a ring of fragments of one random kind, all starting on cell (px, py)
// and each moving outward in its own shrunk frame.
void BurstFragments(FragmentList& fragments, int px, int py, const BurstShape& shape);

// Moves every fragment once and removes those that are done; once the timer has run out,
// drops a random fragment with chance 1 / dropOdds. Returns false when none is left.
bool UpkeepFragments(FragmentList& fragments, Worm** worms, int count, int timer, int dropOdds);

void DrawFragments(FragmentList& fragments, uint16_t* field);
