#include "engine/PaletteExpander.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
#if defined(__SSE2__)
    if constexpr (std::endian::native == std::endian::little) {
        // Eight indices in one load and eight pixels in two stores. The glow leaves wide
        // stretches of one colour (black, mostly), so eight indices the same as the previous
        // eight reuse their pixels.
        uint64_t previous = 0;
        __m128i low = _mm_set1_epi32(static_cast<int>(m_aPixel[0]));
        __m128i high = low;
        for (; x + 8 <= width; x += 8) {
            uint64_t indices;
            std::memcpy(&indices, in + x, sizeof indices);
            if (indices != previous) {
                previous = indices;
                auto at = [&](int i) {
                    return static_cast<int>(m_aPixel[(indices >> (8 * i)) & 0xFF]);
                };
                low = _mm_setr_epi32(at(0), at(1), at(2), at(3));
                high = _mm_setr_epi32(at(4), at(5), at(6), at(7));
            }
            auto* to = reinterpret_cast<__m128i*>(out + x);
            _mm_storeu_si128(to, low);
            _mm_storeu_si128(to + 1, high);
        }
    }
#endif
    for (; x < width; ++x)
        out[x] = m_aPixel[in[x]];
}
