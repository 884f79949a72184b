#include "behaviours/WormFactory.h"

#include "behaviours/Curvy.h"
#include "behaviours/Dodger.h"
#include "behaviours/Dot.h"
#include "behaviours/Dragon.h"
#include "behaviours/Firework.h"
#include "behaviours/Leaf.h"
#include "behaviours/Missile.h"
#include "behaviours/Orbiter.h"
#include "behaviours/Raindrop.h"
#include "behaviours/Seeker.h"
#include "behaviours/Spark.h"
#include "behaviours/Spinner.h"
#include "behaviours/Spring.h"
#include "behaviours/Straight.h"
#include "behaviours/Twisty.h"
#include "behaviours/Wormy.h"
#include "settings/WormTypes.h"

#include <new>

Worm* CreateWormOfType(int type) {
    switch (type) {
    case WormTypeWormy:
        return new (std::nothrow) Wormy;
    case WormTypeTwisty:
        return new (std::nothrow) Twisty;
    case WormTypeDragon:
        return new (std::nothrow) Dragon;
    case WormTypeCurvy:
        return new (std::nothrow) Curvy;
    case WormTypeSpinner:
        return new (std::nothrow) Spinner;
    case WormTypeOrbiter:
        return new (std::nothrow) Orbiter;
    case WormTypeSpring:
        return new (std::nothrow) Spring;
    case WormTypeStraight:
        return new (std::nothrow) Straight;
    case WormTypeDot:
        return new (std::nothrow) Dot;
    case WormTypeRaindrop:
        return new (std::nothrow) Raindrop;
    case WormTypeLeaf:
        return new (std::nothrow) Leaf;
    case WormTypeDodger:
        return new (std::nothrow) Dodger;
    case WormTypeSeeker:
        return new (std::nothrow) Seeker;
    case WormTypeFirework:
        return new (std::nothrow) Firework;
    case WormTypeMissile:
        return new (std::nothrow) Missile;
    case WormTypeSpark:
        return new (std::nothrow) Spark;
    default:
        return nullptr;
    }
}
