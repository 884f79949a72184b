// The smoothing kernels for any x86 processor with SSE2: eight cells per vector.
//
// The arithmetic is the reference's, lane by lane: 16-bit sums that wrap exactly as its truncated
// sums do (so they may be regrouped), a logical shift, and the low byte of the result for the
// image. Both filters are sums of per-row pieces: the left plus right neighbour, and the three
// cells of the row (normal) or the middle one (fast). A column of a band, one or two vectors wide,
// goes from top to bottom, so every piece is loaded and added once and used for up to three output
// rows.
#include "engine/Smoothing.h"
#include "engine/SmoothingBands.h"

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

// Two vectors per column pack and store their image bytes together. The fast filter carries four
// pieces per vector from row to row, the normal one three, and two vectors of the fast filter no
// longer fit the 32-bit build's eight vector registers, so its columns stay one vector wide.
template <bool Fast> constexpr bool TwoVectorColumns = !Fast;
template <bool Fast> constexpr int ColumnCells = TwoVectorColumns<Fast> ? 2 * Lanes : Lanes;

// One vector-wide strip of a column: the shares of the two rows above the next output row.
struct Strip {
    Pieces below, mid;
};

template <bool Fast> inline Strip StartStrip(const uint16_t* in, std::ptrdiff_t stride) {
    return {LoadPieces<Fast>(in), LoadPieces<Fast>(in + stride)};
}

// The next output row's values from the source row at in, which then becomes the middle row.
template <bool Fast> inline __m128i Advance(Strip& strip, const uint16_t* in, __m128i plus) {
    const Pieces above = LoadPieces<Fast>(in);
    const __m128i v = Smoothed<Fast>(strip.below, strip.mid, above, plus);
    strip.below = strip.mid;
    strip.mid = above;
    return v;
}

// One column of rows y0 .. y0 + Rows - 1. src and dst point at field cell (0, 0). The column's
// vectors are an even number of cells apart, so they share the pattern of plus-shaped lanes.
template <bool Fast, bool Doubled, int Rows>
[[gnu::always_inline]] inline void Column(const uint16_t* src, uint16_t* dst, std::ptrdiff_t stride,
                                          uint8_t* image, std::ptrdiff_t pitch, int y0,
                                          std::ptrdiff_t x, __m128i plus) {
    constexpr bool Two = TwoVectorColumns<Fast>;
    const uint16_t* in = src + (y0 - 1) * stride + x;
    Strip left = StartStrip<Fast>(in, stride);
    Strip right = Two ? StartStrip<Fast>(in + Lanes, stride) : Strip{};
    in += 2 * stride;
    uint16_t* out = dst + y0 * stride + x;
    uint8_t* img = image + (Doubled ? 2 * y0 : y0) * pitch + (Doubled ? 2 * x : x);
    const __m128i lowByte = _mm_set1_epi16(0xFF);
    for (int i = 0; i < Rows; ++i) {
        const __m128i v0 = Advance<Fast>(left, in, plus);
        Store(out, v0);
        __m128i v1 = v0;
        if constexpr (Two) {
            v1 = Advance<Fast>(right, in + Lanes, plus);
            Store(out + Lanes, v1);
        }
        // The low bytes in cell order: sixteen of two vectors, or one vector's eight twice.
        const __m128i bytes =
            _mm_packus_epi16(_mm_and_si128(v0, lowByte), _mm_and_si128(v1, lowByte));
        if constexpr (Doubled) {
            const __m128i leftPairs = _mm_unpacklo_epi8(bytes, bytes);
            Store(img, leftPairs);
            Store(img + pitch, leftPairs);
            if constexpr (Two) {
                const __m128i rightPairs = _mm_unpackhi_epi8(bytes, bytes);
                Store(img + 2 * Lanes, rightPairs);
                Store(img + pitch + 2 * Lanes, rightPairs);
            }
            img += 2 * pitch;
        } else {
            if constexpr (Two)
                Store(img, bytes);
            else
                _mm_storel_epi64(reinterpret_cast<__m128i*>(img), bytes);
            img += pitch;
        }
        out += stride;
        in += stride;
    }
}

// The columns for the shared band walk.
struct Columns {
    template <bool Fast> static constexpr int Cells = ColumnCells<Fast>;

    template <bool Fast, bool Doubled, int Rows>
    [[gnu::always_inline]] static void
    Run(const uint16_t* src, uint16_t* dst, std::ptrdiff_t stride, uint8_t* image,
        std::ptrdiff_t pitch, int y0, std::ptrdiff_t x, int width) {
        Column<Fast, Doubled, Rows>(src, dst, stride, image, pitch, y0, x, PlusLanes(width, x));
    }
};

} // namespace

void SmoothNormalSse2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                      int pitch) {
    smoothing::SmoothInBands<Columns, false, false>(src, dst, width, height, image, pitch,
                                                    SmoothNormalReference);
}

void SmoothFastSse2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                    int pitch) {
    smoothing::SmoothInBands<Columns, true, false>(src, dst, width, height, image, pitch,
                                                   SmoothFastReference);
}

void SmoothNormalDoubledSse2(const uint16_t* src, uint16_t* dst, int width, int height,
                             uint8_t* image, int pitch) {
    smoothing::SmoothInBands<Columns, false, true>(src, dst, width, height, image, pitch,
                                                   SmoothNormalDoubledReference);
}

void SmoothFastDoubledSse2(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch) {
    smoothing::SmoothInBands<Columns, true, true>(src, dst, width, height, image, pitch,
                                                  SmoothFastDoubledReference);
}

#endif
