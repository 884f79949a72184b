#pragma once

#include "settings/Colormap.h"

#include <cstdint>

// Turns 8-bit frames shown through a palette into the planes of studio-range BT.601 4:2:0
// (yuv420p) that video encoders take. Colour is kept only once for each 2x2 block, which blurs
// the glow's saturated edges; so each pixel's brightness is then chosen to bring its red, green
// and blue, as a player rebuilds them from the block's colour, as close as they can come to its
// palette colour. That choice ignores that a player clips each channel to 0..255 (next to red,
// white loses a little); taking clipping into account measured no better over whole videos and
// made them larger.
class PaletteToYuv {
public:
    void LoadPalette(const PaletteEntry palette[256]);

    // rows: height rows of width indices, top line first, `stride` bytes apart. The colour
    // planes are (width + 1) / 2 by (height + 1) / 2.
    void Convert(const uint8_t* rows, int stride, int width, int height, uint8_t* y, int yStride,
                 uint8_t* u, int uStride, uint8_t* v, int vStride) const;

private:
    // Each entry's exact values in 1/256 steps, and rounded.
    int32_t m_aY[256] = {};
    int32_t m_aU[256] = {};
    int32_t m_aV[256] = {};
    uint8_t m_aRoundedY[256] = {};
    uint8_t m_aRoundedU[256] = {};
    uint8_t m_aRoundedV[256] = {};
};
