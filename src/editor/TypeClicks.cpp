#include "editor/TypeClicks.h"

#include <cstdint>

int NextTypeState(int state) {
    // Unsigned 32-bit on purpose: -1 + 1 wraps to 0, and the result always fits an int.
    return static_cast<int>((static_cast<uint32_t>(state) + 1u) % 3u);
}

void ApplyTypeClicks(int states[WormTypeCount], const bool clicked[WormTypeCount]) {
    for (int i = 0; i < WormTypeCount; ++i)
        if (clicked[i])
            states[i] = NextTypeState(states[i]);
}
