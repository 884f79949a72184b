#pragma once

class Settings;

// Rows of the cycle drop-down.
enum CycleChoiceRow { CycleChoiceNone = 0, CycleChoiceInOrder = 1, CycleChoiceRandom = 2 };

// The row that describes what the engine will do with these settings.
int CycleChoiceIndex(const Settings& settings);
// Stores a row's choice. "Don't Cycle" keeps CycleType so turning cycling back on restores it.
void ApplyCycleChoice(Settings& settings, int index);
