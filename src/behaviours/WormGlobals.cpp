#include "behaviours/WormGlobals.h"

#include "behaviours/Worm.h"

#include <cmath>

int g_nFieldWidth = 0;
int g_nFieldHeight = 0;
Settings* g_pSettings = nullptr;
int g_anLiveWorms[17];

Preset& CurrentWormPreset() {
    return *g_pSettings->m_pCurrentPreset;
}

namespace {
// The random band keeps 25 cells clear on each side; an axis too short for it gets the centre
// rather than a remainder by zero or a start outside the field.
int InitialCoordinate(int size) {
    if (CurrentWormPreset().StartInCenter || size <= 50)
        return size / 2;
    return Rand() % (size - 50) + 25;
}
} // namespace

int InitialX() {
    return InitialCoordinate(g_nFieldWidth);
}

int InitialY() {
    return InitialCoordinate(g_nFieldHeight);
}

double NormaliseHeading(double heading) {
    // A non-finite heading would loop forever and poison every position computed from it.
    if (!std::isfinite(heading))
        return 0;
    // Far beyond any heading the behaviours produce, a single subtraction no longer changes the
    // value; reduce it exactly first.
    if (std::fabs(heading) > 1e9)
        heading = std::fmod(heading, 360.0);
    while (heading < 0)
        heading += 360;
    while (heading > 360)
        heading -= 360;
    return heading;
}

bool PickTarget(Worm** worms, int count, int& index, int excludeType) {
    if (worms == nullptr || count <= 0)
        return false;
    int start = Rand() % count;
    int i = start;
    do {
        Worm* candidate = worms[i];
        if (candidate != nullptr) {
            int x = 0;
            int y = 0;
            candidate->GetPosition(x, y);
            if (candidate->m_nType != excludeType && x != 0 && y != 0) {
                index = i;
                return true;
            }
        }
        i = (i + 1) % count;
    } while (i != start);
    return false;
}

bool TargetOnIncreasingSide(double sinH, double cosH, double dx, double dy) {
    if (cosH != 0) {
        double t = sinH * dy / cosH;
        if (cosH > 0)
            return t < dx;
        return t >= dx;
    }
    if (sinH > 0)
        return dy <= 0;
    return dy > 0;
}
