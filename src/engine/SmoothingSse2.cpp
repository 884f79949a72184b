// The smoothing kernels for any x86 processor with SSE2: eight cells per vector.
//
// The arithmetic is the reference's, lane by lane: 16-bit sums that wrap exactly as its truncated
// sums do, a logical shift, and the low byte of the result for the image. Both filters are sums of
// the same per-row pieces, the left plus right neighbour and the middle one, so the field is
// walked in bands of a few rows, each band in columns one vector wide from top to bottom, and
// every piece is loaded and added once and used for up to three output rows. A row too short for
// one vector goes to the reference; otherwise the last column of a band is moved left to end at
// the row's end, so it recomputes a few cells (with the same result, since only src is read)
// instead of writing past the field.
#include "engine/Smoothing.h"

#ifdef LK_SMOOTHING_SSE2

#include <cstddef>
#include <emmintrin.h>

namespace {

constexpr int Lanes = 8;

inline __m128i Load(const uint16_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline void Store(void* p, __m128i v) {
    _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

// One source row's share in the cells from x on.
struct Pieces {
    __m128i sides;  // left + right neighbour
    __m128i middle; // the cell itself
};

inline Pieces Load(const uint16_t* row, std::ptrdiff_t x) {
    return {_mm_add_epi16(Load(row + x - 1), Load(row + x + 1)), Load(row + x)};
}

// Lane i is plus-shaped when width - x - i is odd.
inline __m128i PlusLanes(int width, std::ptrdiff_t x) {
    const __m128i evenLanes = _mm_set_epi16(0, -1, 0, -1, 0, -1, 0, -1);
    return ((width - x) & 1) ? evenLanes : _mm_xor_si128(evenLanes, _mm_set1_epi16(-1));
}

// One vector-wide column of rows y0 .. y0 + rows - 1. src and dst point at field cell (0, 0).
template <bool Fast, bool Doubled>
inline void Column(const uint16_t* src, uint16_t* dst, std::ptrdiff_t stride, uint8_t* image,
                   std::ptrdiff_t pitch, int y0, int rows, std::ptrdiff_t x, __m128i plus) {
    const uint16_t* in = src + (y0 - 1) * stride;
    Pieces below = Load(in, x);
    Pieces mid = Load(in + stride, x);
    in += 2 * stride;
    uint16_t* out = dst + y0 * stride + x;
    uint8_t* img = image + (Doubled ? 2 * y0 : y0) * pitch + (Doubled ? 2 * x : x);
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    for (int i = 0; i < rows; ++i) {
        const Pieces above = Load(in, x);
        __m128i v;
        if constexpr (Fast) {
            const __m128i p = _mm_add_epi16(_mm_add_epi16(mid.sides, below.middle), above.middle);
            const __m128i c = _mm_add_epi16(below.sides, above.sides);
            v = _mm_srli_epi16(_mm_or_si128(_mm_and_si128(plus, p), _mm_andnot_si128(plus, c)), 2);
        } else {
            __m128i s = _mm_add_epi16(below.sides, mid.sides);
            s = _mm_add_epi16(s, above.sides);
            s = _mm_add_epi16(s, below.middle);
            s = _mm_add_epi16(s, above.middle);
            v = _mm_srli_epi16(s, 3);
        }
        Store(out, v);
        const __m128i b = _mm_and_si128(v, lowByte);
        if constexpr (Doubled) {
            const __m128i pair = _mm_or_si128(b, _mm_slli_epi16(b, 8));
            Store(img, pair);
            Store(img + pitch, pair);
            img += 2 * pitch;
        } else {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(img), _mm_packus_epi16(b, b));
            img += pitch;
        }
        out += stride;
        in += stride;
        below = mid;
        mid = above;
    }
}

// Taller bands reuse more of each column's loads across bands; the doubled image, with twice the
// rows to write per band, does better with fewer rows in flight at once.
template <bool Doubled> constexpr int BandRows = Doubled ? 2 : 8;

template <bool Fast, bool Doubled>
void Smooth(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image, int pitch,
            SmoothKernel reference) {
    if (width <= 0 || height <= 0)
        return;
    if (width < Lanes) {
        reference(src, dst, width, height, image, pitch);
        return;
    }
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) + 2;
    const std::ptrdiff_t lastColumn = width - Lanes;
    const uint16_t* in = src + stride + 1;
    uint16_t* out = dst + stride + 1;
    for (int y0 = 0; y0 < height; y0 += BandRows<Doubled>) {
        const int rows = height - y0 < BandRows<Doubled> ? height - y0 : BandRows<Doubled>;
        for (std::ptrdiff_t x = 0; x < lastColumn; x += Lanes)
            Column<Fast, Doubled>(in, out, stride, image, pitch, y0, rows, x, PlusLanes(width, x));
        Column<Fast, Doubled>(in, out, stride, image, pitch, y0, rows, lastColumn,
                              PlusLanes(width, lastColumn));
    }
}

} // namespace

void SmoothNormalSse2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                      int pitch) {
    Smooth<false, false>(src, dst, width, height, image, pitch, SmoothNormalReference);
}

void SmoothFastSse2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                    int pitch) {
    Smooth<true, false>(src, dst, width, height, image, pitch, SmoothFastReference);
}

void SmoothNormalDoubledSse2(const uint16_t* src, uint16_t* dst, int width, int height,
                             uint8_t* image, int pitch) {
    Smooth<false, true>(src, dst, width, height, image, pitch, SmoothNormalDoubledReference);
}

void SmoothFastDoubledSse2(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch) {
    Smooth<true, true>(src, dst, width, height, image, pitch, SmoothFastDoubledReference);
}

#endif
