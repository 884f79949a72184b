#include "linux/PaletteExpander.h"

#include <bit>
#include <cstddef>
#include <cstring>

void PaletteExpander::LoadPalette(const PaletteEntry palette[256]) {
    for (int i = 0; i < 256; ++i)
        m_aPixel[i] = 0xFF000000u | uint32_t{palette[i].red} << 16 |
                      uint32_t{palette[i].green} << 8 | palette[i].blue;
}

void PaletteExpander::Expand(const uint8_t* image, int pitch, int width, int height, uint32_t* out,
                             int outPitch) const {
    for (int y = 0; y < height; ++y)
        ExpandRow(image + static_cast<std::ptrdiff_t>(height - 1 - y) * pitch,
                  out + static_cast<std::ptrdiff_t>(y) * outPitch, width);
}

void PaletteExpander::ExpandRow(const uint8_t* in, uint32_t* out, int width) const {
    int x = 0;
    if constexpr (std::endian::native == std::endian::little) {
        // Eight indices in one load and two pixels in one store take a third of the memory
        // operations of the plain loop. The glow leaves wide stretches of one colour (black,
        // mostly), so eight indices the same as the previous eight reuse their pixels.
        uint64_t previous = 0;
        uint64_t pairs[4];
        for (int i = 0; i < 4; ++i)
            pairs[i] = uint64_t{m_aPixel[0]} * 0x100000001u;
        for (; x + 8 <= width; x += 8) {
            uint64_t indices;
            std::memcpy(&indices, in + x, sizeof indices);
            if (indices != previous) {
                previous = indices;
                for (int i = 0; i < 4; ++i) {
                    const uint64_t pair = indices >> (16 * i);
                    pairs[i] = m_aPixel[pair & 0xFF] | uint64_t{m_aPixel[(pair >> 8) & 0xFF]} << 32;
                }
            }
            std::memcpy(out + x, pairs, sizeof pairs);
        }
    }
    for (; x < width; ++x)
        out[x] = m_aPixel[in[x]];
}
