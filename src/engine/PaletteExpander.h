#pragma once

#include "settings/Colormap.h"

#include <cstdint>

// Turns the engine's 8-bit bottom-up image into 32-bit rows, top line first: every pixel exactly
// its palette entry's colour, fully opaque. The layout is SDL's ARGB8888 and, byte for byte, a
// 32-bit Windows DIB's blue-green-red-reserved, so both hosts show what it writes as it is.
class PaletteExpander {
public:
    void LoadPalette(const PaletteEntry palette[256]);
    uint32_t Pixel(uint8_t index) const { return m_aPixel[index]; }
    const uint32_t* Pixels() const { return m_aPixel; }

    // image: width x height bytes a row pitch apart, bottom row first; out: rows outPitch pixels
    // apart, top row first.
    void Expand(const uint8_t* image, int pitch, int width, int height, uint32_t* out,
                int outPitch) const;

private:
    void ExpandRow(const uint8_t* in, uint32_t* out, int width) const;

    alignas(64) uint32_t m_aPixel[256] = {};
};
