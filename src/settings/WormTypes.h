#pragma once

// Behaviour indices. 0..14 are the rows of the type table; Spark exists only as a burst fragment.
enum WormType {
    WormTypeWormy = 0,
    WormTypeTwisty = 1,
    WormTypeDragon = 2,
    WormTypeCurvy = 3,
    WormTypeSpinner = 4,
    WormTypeOrbiter = 5,
    WormTypeSpring = 6,
    WormTypeStraight = 7,
    WormTypeDot = 8,
    WormTypeRaindrop = 9,
    WormTypeLeaf = 10,
    WormTypeDodger = 11,
    WormTypeSeeker = 12,
    WormTypeFirework = 13,
    WormTypeMissile = 14,
    WormTypeNone = 15,
    WormTypeSpark = 16,
    WormTypeAny = 17,
};

constexpr int WormTypeCount = 15;

struct WormTypeInfo {
    const char* displayName;  // label on the Types page
    const char* registryName; // value name under which a preset stores this type's state
    int index;
};

// One row per selectable behaviour, in index order.
extern const WormTypeInfo g_aWormTypes[WormTypeCount];
