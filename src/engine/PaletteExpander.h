#pragma once

#include "settings/Colormap.h"

#include <cstddef>
#include <cstdint>

// Turns the engine's 8-bit bottom-up image into 32-bit rows, top line first: every pixel exactly
// its palette entry's colour, fully opaque. The layout is SDL's ARGB8888 and, byte for byte, a
// 32-bit Windows DIB's blue-green-red-reserved, so both hosts show what it writes as it is.
class PaletteExpander {
public:
    // Frames of at least this many output bytes are written past the caches: nobody reads them
    // back before they are shown, and a frame this large would only push the field out of cache.
    static constexpr size_t StreamingBytes = size_t{4} << 20;

    void LoadPalette(const PaletteEntry palette[256]);
    uint32_t Pixel(uint8_t index) const { return m_aPixel[index]; }
    const uint32_t* Pixels() const { return m_aPixel; }

    // image: width x height bytes a row pitch apart, bottom row first; out: rows outPitch pixels
    // apart, top row first. Every store is complete and visible to other threads on return.
    void Expand(const uint8_t* image, int pitch, int width, int height, uint32_t* out,
                int outPitch) const;

private:
    template <bool Streaming> void ExpandRow(const uint8_t* in, uint32_t* out, int width) const;

    alignas(64) uint32_t m_aPixel[256] = {};
};
