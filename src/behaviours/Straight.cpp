#include "behaviours/Straight.h"

#include "behaviours/WormTypes.h"

Straight::Straight() : HeadingWorm(WormTypeStraight) {}

bool Straight::Update(Worm**, int) {
    return MoveStep();
}
