#include "behaviours/Straight.h"

#include "settings/WormTypes.h"

Straight::Straight() : HeadingWorm(WormTypeStraight) {}

bool Straight::Update(Worm**, int) {
    return MoveStep();
}
