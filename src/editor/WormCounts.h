#pragma once

// The positions of the "Initial" and "Total" worm sliders.
struct WormCounts {
    int initial;
    int total;
};

// Keeps initial <= total by letting the slider the user is moving push the other along: the
// focused slider is the one being dragged, so its value wins.
WormCounts PushCounts(int initial, int total, bool initialHasFocus);
