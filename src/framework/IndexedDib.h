#pragma once

#include "settings/Colormap.h"

#include <windows.h>

#include <cstdint>

// An 8-bit, bottom-up DIB section whose 256 colours come from `colours` (black when null), rows
// padded to four bytes; its pixels are stored at *bits. Null when it cannot be made.
HBITMAP CreateIndexedDib(HDC dc, int width, int height, const PaletteEntry* colours,
                         uint8_t** bits);
