#pragma once

#include "settings/WormTypes.h"

// The state a click on a Types page row moves to: on -> off -> keep-one -> on. A stored state
// outside 0..2 is read as unsigned, so a hand-edited -1 wraps round like any other number.
int NextTypeState(int state);

// Advances every clicked row's state once.
void ApplyTypeClicks(int states[WormTypeCount], const bool clicked[WormTypeCount]);
