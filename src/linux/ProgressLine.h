#pragma once

#include <string>

// The line a long export redraws on a terminal while it runs, such as
// "[######            ]  120/300  0:04 elapsed, 0:06 left". Until the first frame is done there
// is nothing to estimate the time left from, and it says so.
std::string ProgressLine(int done, int total, double elapsedSeconds);

// Whole seconds as M:SS, or H:MM:SS from an hour on.
std::string ClockText(double seconds);
