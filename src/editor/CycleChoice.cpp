#include "editor/CycleChoice.h"

#include "settings/Settings.h"

// The engine cycles in order only for CycleType 1 and at random for every other value, so any
// stored value but 1 shows as "Cycle Randomly", and that row writes 0.
int CycleChoiceIndex(const Settings& settings) {
    if (!settings.Cycle)
        return CycleChoiceNone;
    return settings.CycleType == 1 ? CycleChoiceInOrder : CycleChoiceRandom;
}

void ApplyCycleChoice(Settings& settings, int index) {
    switch (index) {
    case CycleChoiceNone:
        settings.Cycle = false;
        break;
    case CycleChoiceInOrder:
        settings.Cycle = true;
        settings.CycleType = 1;
        break;
    case CycleChoiceRandom:
        settings.Cycle = true;
        settings.CycleType = 0;
        break;
    default:
        break;
    }
}
