#include "behaviours/Leaf.h"

#include "settings/WormTypes.h"

Leaf::Leaf() : VelocityWorm(WormTypeLeaf) {}

bool Leaf::Update(Worm**, int) {
    return MoveStep();
}
