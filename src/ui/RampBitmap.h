#pragma once

#include <windows.h>

// An 8-bit DIB section whose column x shows palette index floor(255 x / width): a strip of its
// colour table, which the caller sets. `dc` may be null.
HBITMAP CreateRampBitmap(HDC dc, int width, int height);
