#include "behaviours/Leaf.h"

#include "behaviours/WormTypes.h"

Leaf::Leaf() : VelocityWorm(WormTypeLeaf) {}

bool Leaf::Update(Worm**, int) {
    return MoveStep();
}
