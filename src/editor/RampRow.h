#pragma once

#include <cstdint>

// Fills each column x of an image row `width` wide with palette index floor(255 x / width), so a
// strip shows entries 0..254 of its colour table from left to right.
void FillRampRow(uint8_t* row, int width);
