#pragma once

#include <windows.h>

#include <cstdint>

// A 32-bit top-down DIB section without a colour table, black at first: the pixel at (x, y) is
// bits[y * width + x], row 0 at the top, laid out 0xAARRGGBB (blue, green, red, reserved bytes).
// Its pixels are stored at *bits. Null when it cannot be made.
HBITMAP CreateFrameDib(HDC dc, int width, int height, uint32_t** bits);
