#pragma once

#include "settings/Colormap.h"

#include <cstdint>
#include <string>

// Writes one 8-bit frame as an indexed-colour PNG with its palette, in place only when complete.
// rows: height rows of width indices, top line first, `stride` bytes apart. On failure `error`
// holds the reason and no file is left.
bool WritePng(const std::string& path, const uint8_t* rows, int stride, int width, int height,
              const PaletteEntry palette[256], std::string& error);
