// The smoothing kernels for any x86 processor with SSE2: eight cells per vector.
//
// The arithmetic is the reference's, lane by lane: 16-bit sums that wrap exactly as its truncated
// sums do (so they may be regrouped), a logical shift, and the low byte of the result for the
// image. Both filters are sums of per-row pieces: the left plus right neighbour, and the three
// cells of the row (normal) or the middle one (fast). The field is walked in bands of a few rows,
// each band in columns one vector wide from top to bottom, so every piece is loaded and added once
// and used for up to three output rows. (Columns two vectors wide, as the AVX2 kernels take, were
// slower here, and the 32-bit build has only eight vector registers.) A row too short for one
// vector goes to the reference; otherwise the last column of a band is moved left to end at the
// row's end, so it recomputes a few cells (with the same result, since only src is read) instead
// of writing past the field.
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

// One source row's share in the eight cells from p on.
struct Pieces {
    __m128i sides; // left + right neighbour
    __m128i inner; // normal: left + middle + right; fast: the middle cell
};

template <bool Fast> inline Pieces LoadPieces(const uint16_t* p) {
    const __m128i middle = Load(p);
    const __m128i sides = _mm_add_epi16(Load(p - 1), Load(p + 1));
    return {sides, Fast ? middle : _mm_add_epi16(sides, middle)};
}

// Lane i is plus-shaped when width - x - i is odd.
inline __m128i PlusLanes(int width, std::ptrdiff_t x) {
    const __m128i evenLanes = _mm_set_epi16(0, -1, 0, -1, 0, -1, 0, -1);
    return ((width - x) & 1) ? evenLanes : _mm_xor_si128(evenLanes, _mm_set1_epi16(-1));
}

template <bool Fast>
inline __m128i Smoothed(const Pieces& below, const Pieces& mid, const Pieces& above, __m128i plus) {
    if constexpr (Fast) {
        const __m128i p = _mm_add_epi16(_mm_add_epi16(mid.sides, below.inner), above.inner);
        const __m128i c = _mm_add_epi16(below.sides, above.sides);
        return _mm_srli_epi16(_mm_or_si128(_mm_and_si128(plus, p), _mm_andnot_si128(plus, c)), 2);
    } else {
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(below.inner, mid.sides), above.inner), 3);
    }
}

// One vector-wide column of rows y0 .. y0 + rows - 1. src and dst point at field cell (0, 0).
template <bool Fast, bool Doubled>
inline void Column(const uint16_t* src, uint16_t* dst, std::ptrdiff_t stride, uint8_t* image,
                   std::ptrdiff_t pitch, int y0, int rows, std::ptrdiff_t x, __m128i plus) {
    const uint16_t* in = src + (y0 - 1) * stride + x;
    Pieces below = LoadPieces<Fast>(in);
    Pieces mid = LoadPieces<Fast>(in + stride);
    in += 2 * stride;
    uint16_t* out = dst + y0 * stride + x;
    uint8_t* img = image + (Doubled ? 2 * y0 : y0) * pitch + (Doubled ? 2 * x : x);
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    for (int i = 0; i < rows; ++i) {
        const Pieces above = LoadPieces<Fast>(in);
        const __m128i v = Smoothed<Fast>(below, mid, above, plus);
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

// Taller bands reuse more of each column's loads across bands, but every row of a band is a
// stream of its own for the prefetcher.
constexpr int BandRows = 8;

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
    for (int y0 = 0; y0 < height; y0 += BandRows) {
        const int rows = height - y0 < BandRows ? height - y0 : BandRows;
        // One call site keeps the unrolled column small enough for the registers.
        for (std::ptrdiff_t x = 0;; x += Lanes) {
            if (x > lastColumn)
                x = lastColumn;
            Column<Fast, Doubled>(in, out, stride, image, pitch, y0, rows, x, PlusLanes(width, x));
            if (x == lastColumn)
                break;
        }
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
