// The smoothing kernels for x86 processors with AVX2: thirty-two cells, two vectors, at a time.
// Only this file's own functions are compiled for AVX2, all but the four entry points local to it
// (the shared band walk is included under the same target and instantiated only with this file's
// columns), so no shared inline code built for AVX2 can end up on the path of a processor without
// it.
//
// The arithmetic is the reference's, lane by lane: 16-bit sums that wrap exactly as its truncated
// sums do (so they may be regrouped), a logical shift, and the low byte of the result for the
// image. Both filters are sums of per-row pieces: the left plus right neighbour, and the three
// cells of the row (normal) or the middle one (fast). A column of a band goes from top to bottom,
// so every piece is loaded and added once and used for up to three output rows, and its two
// vectors share the packing and the stores of their image bytes.
#include "engine/Smoothing.h"

#ifdef LK_SMOOTHING_AVX2

#include <cstddef>
#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")

#include "engine/SmoothingBands.h"

namespace {

constexpr int Lanes = 16;
constexpr int ColumnCells = 2 * Lanes;

inline __m256i Load(const uint16_t* p) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

inline void Store(void* p, __m256i v) {
    _mm256_storeu_si256(static_cast<__m256i*>(p), v);
}

// One source row's share in the sixteen cells from p on.
struct Pieces {
    __m256i sides; // left + right neighbour
    __m256i inner; // normal: left + middle + right; fast: the middle cell
};

template <bool Fast> inline Pieces LoadPieces(const uint16_t* p) {
    const __m256i middle = Load(p);
    const __m256i sides = _mm256_add_epi16(Load(p - 1), Load(p + 1));
    return {sides, Fast ? middle : _mm256_add_epi16(sides, middle)};
}

// Lane i is plus-shaped when width - x - i is odd.
inline __m256i PlusLanes(int width, std::ptrdiff_t x) {
    const __m256i evenLanes =
        _mm256_set_epi16(0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1, 0, -1);
    return ((width - x) & 1) ? evenLanes : _mm256_xor_si256(evenLanes, _mm256_set1_epi16(-1));
}

template <bool Fast>
inline __m256i Smoothed(const Pieces& below, const Pieces& mid, const Pieces& above, __m256i plus) {
    if constexpr (Fast) {
        const __m256i p = _mm256_add_epi16(_mm256_add_epi16(mid.sides, below.inner), above.inner);
        const __m256i c = _mm256_add_epi16(below.sides, above.sides);
        return _mm256_srli_epi16(_mm256_blendv_epi8(c, p, plus), 2);
    } else {
        return _mm256_srli_epi16(
            _mm256_add_epi16(_mm256_add_epi16(below.inner, mid.sides), above.inner), 3);
    }
}

// The low bytes of two results, packed within each 128-bit half: the first vector's cells 0-7, the
// second's 0-7, the first's 8-15, the second's 8-15.
inline __m256i PackedBytes(__m256i left, __m256i right) {
    const __m256i lowByte = _mm256_set1_epi16(0xFF);
    return _mm256_packus_epi16(_mm256_and_si256(left, lowByte), _mm256_and_si256(right, lowByte));
}

// One column of rows y0 .. y0 + Rows - 1. src and dst point at field cell (0, 0). The column's two
// vectors are an even number of cells apart, so they share the pattern of plus-shaped lanes.
template <bool Fast, bool Doubled, int Rows>
[[gnu::always_inline]] inline void Column(const uint16_t* src, uint16_t* dst, std::ptrdiff_t stride,
                                          uint8_t* image, std::ptrdiff_t pitch, int y0,
                                          std::ptrdiff_t x, __m256i plus) {
    const uint16_t* in = src + (y0 - 1) * stride + x;
    Pieces below0 = LoadPieces<Fast>(in), below1 = LoadPieces<Fast>(in + Lanes);
    in += stride;
    Pieces mid0 = LoadPieces<Fast>(in), mid1 = LoadPieces<Fast>(in + Lanes);
    in += stride;
    uint16_t* out = dst + y0 * stride + x;
    uint8_t* img = image + (Doubled ? 2 * y0 : y0) * pitch + (Doubled ? 2 * x : x);
    for (int i = 0; i < Rows; ++i) {
        const Pieces above0 = LoadPieces<Fast>(in), above1 = LoadPieces<Fast>(in + Lanes);
        const __m256i v0 = Smoothed<Fast>(below0, mid0, above0, plus);
        const __m256i v1 = Smoothed<Fast>(below1, mid1, above1, plus);
        Store(out, v0);
        Store(out + Lanes, v1);
        const __m256i bytes = PackedBytes(v0, v1);
        if constexpr (Doubled) {
            // Interleaving each half with itself doubles the first vector's bytes in order, and
            // the second's.
            const __m256i left = _mm256_unpacklo_epi8(bytes, bytes);
            const __m256i right = _mm256_unpackhi_epi8(bytes, bytes);
            Store(img, left);
            Store(img + 2 * Lanes, right);
            Store(img + pitch, left);
            Store(img + pitch + 2 * Lanes, right);
            img += 2 * pitch;
        } else {
            Store(img, _mm256_permute4x64_epi64(bytes, 0xD8));
            img += pitch;
        }
        out += stride;
        in += stride;
        below0 = mid0;
        below1 = mid1;
        mid0 = above0;
        mid1 = above1;
    }
}

// The columns for the shared band walk.
struct Columns {
    template <bool Fast> static constexpr int Cells = ColumnCells;

    template <bool Fast, bool Doubled, int Rows>
    [[gnu::always_inline]] static void
    Run(const uint16_t* src, uint16_t* dst, std::ptrdiff_t stride, uint8_t* image,
        std::ptrdiff_t pitch, int y0, std::ptrdiff_t x, int width) {
        Column<Fast, Doubled, Rows>(src, dst, stride, image, pitch, y0, x, PlusLanes(width, x));
    }
};

} // namespace

void SmoothNormalAvx2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                      int pitch) {
    smoothing::SmoothInBands<Columns, false, false>(src, dst, width, height, image, pitch,
                                                    SmoothNormalReference);
}

void SmoothFastAvx2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                    int pitch) {
    smoothing::SmoothInBands<Columns, true, false>(src, dst, width, height, image, pitch,
                                                   SmoothFastReference);
}

void SmoothNormalDoubledAvx2(const uint16_t* src, uint16_t* dst, int width, int height,
                             uint8_t* image, int pitch) {
    smoothing::SmoothInBands<Columns, false, true>(src, dst, width, height, image, pitch,
                                                   SmoothNormalDoubledReference);
}

void SmoothFastDoubledAvx2(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch) {
    smoothing::SmoothInBands<Columns, true, true>(src, dst, width, height, image, pitch,
                                                  SmoothFastDoubledReference);
}

#pragma GCC pop_options

#endif
