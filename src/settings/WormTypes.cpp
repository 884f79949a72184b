#include "settings/WormTypes.h"

const WormTypeInfo g_aWormTypes[WormTypeCount] = {
    {"Wormys", "WormyWorms", WormTypeWormy},
    {"Twisties", "SpiralTurns", WormTypeTwisty},
    {"Dragons", "DragonFlies", WormTypeDragon},
    {"Curvies", "Curvies", WormTypeCurvy},
    {"Spinners", "Orbit", WormTypeSpinner},
    {"Orbiters", "Gravity", WormTypeOrbiter},
    {"Springs", "Springs", WormTypeSpring},
    {"Straights", "Straights", WormTypeStraight},
    {"Dots", "Fixed", WormTypeDot},
    {"Raindrops", "Raindrops", WormTypeRaindrop},
    {"Leaves", "Leaves", WormTypeLeaf},
    {"Dodgers", "Dodgers", WormTypeDodger},
    {"Seekers", "Seekers", WormTypeSeeker},
    {"Fireworks", "Fireworks", WormTypeFirework},
    {"Missiles", "Missiles", WormTypeMissile},
};
