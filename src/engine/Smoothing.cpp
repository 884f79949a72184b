#include "engine/Smoothing.h"

#include <cstddef>

// The reference loops: the yardstick the SIMD kernels are checked and measured against, and the
// only kernels on other architectures, where the compiler may vectorise them. The rows a kernel
// reads, writes and the image rows never overlap, which the restrict qualifiers say, and the row
// loops stay out of line so that the promise is not lost when they would be inlined.

#if defined(__GNUC__) || defined(_MSC_VER)
#define LK_RESTRICT __restrict
#else
#define LK_RESTRICT
#endif

namespace {

// Row pointers point at the row's cell x = 0, so [-1] is the left border cell; down, mid and up
// are field rows y - 1, y and y + 1.

template <bool Doubled>
inline void Put(uint16_t* LK_RESTRICT out, uint8_t* LK_RESTRICT img0, uint8_t* LK_RESTRICT img1,
                int x, uint16_t v) {
    out[x] = v;
    const uint8_t b = static_cast<uint8_t>(v);
    if constexpr (Doubled) {
        img0[2 * x] = b;
        img0[2 * x + 1] = b;
        img1[2 * x] = b;
        img1[2 * x + 1] = b;
    } else {
        img0[x] = b;
    }
}

template <bool Doubled>
[[gnu::noinline]] void NormalRow(const uint16_t* LK_RESTRICT down, const uint16_t* LK_RESTRICT mid,
                                 const uint16_t* LK_RESTRICT up, uint16_t* LK_RESTRICT out,
                                 uint8_t* LK_RESTRICT img0, uint8_t* LK_RESTRICT img1, int width) {
    for (int x = 0; x < width; ++x) {
        const uint16_t sum =
            static_cast<uint16_t>(down[x - 1] + down[x] + down[x + 1] + mid[x - 1] + mid[x + 1] +
                                  up[x - 1] + up[x] + up[x + 1]);
        Put<Doubled>(out, img0, img1, x, static_cast<uint16_t>(sum >> 3));
    }
}

inline uint16_t Plus(const uint16_t* LK_RESTRICT down, const uint16_t* LK_RESTRICT mid,
                     const uint16_t* LK_RESTRICT up, int x) {
    return static_cast<uint16_t>(static_cast<uint16_t>(mid[x - 1] + mid[x + 1] + up[x] + down[x]) >>
                                 2);
}

inline uint16_t Cross(const uint16_t* LK_RESTRICT down, const uint16_t* LK_RESTRICT up, int x) {
    return static_cast<uint16_t>(
        static_cast<uint16_t>(down[x - 1] + down[x + 1] + up[x - 1] + up[x + 1]) >> 2);
}

template <bool Doubled>
[[gnu::noinline]] void FastRow(const uint16_t* LK_RESTRICT down, const uint16_t* LK_RESTRICT mid,
                               const uint16_t* LK_RESTRICT up, uint16_t* LK_RESTRICT out,
                               uint8_t* LK_RESTRICT img0, uint8_t* LK_RESTRICT img1, int width) {
    // The last cell of a row always takes the plus shape, so an odd row starts with one and the
    // rest pairs up as (cross, plus).
    int x = 0;
    if (width & 1) {
        Put<Doubled>(out, img0, img1, 0, Plus(down, mid, up, 0));
        x = 1;
    }
    for (; x < width; x += 2) {
        Put<Doubled>(out, img0, img1, x, Cross(down, up, x));
        Put<Doubled>(out, img0, img1, x + 1, Plus(down, mid, up, x + 1));
    }
}

template <bool Fast, bool Doubled>
void Smooth(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image, int pitch) {
    if (width <= 0 || height <= 0)
        return;
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) + 2;
    for (int y = 0; y < height; ++y) {
        const std::ptrdiff_t row = (static_cast<std::ptrdiff_t>(y) + 1) * stride + 1;
        const uint16_t* mid = src + row;
        uint16_t* out = dst + row;
        const std::ptrdiff_t imageRow = static_cast<std::ptrdiff_t>(Doubled ? 2 * y : y) * pitch;
        uint8_t* img0 = image + imageRow;
        uint8_t* img1 = Doubled ? img0 + pitch : nullptr;
        if constexpr (Fast)
            FastRow<Doubled>(mid - stride, mid, mid + stride, out, img0, img1, width);
        else
            NormalRow<Doubled>(mid - stride, mid, mid + stride, out, img0, img1, width);
    }
}

} // namespace

void SmoothNormalReference(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch) {
    Smooth<false, false>(src, dst, width, height, image, pitch);
}

void SmoothFastReference(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                         int pitch) {
    Smooth<true, false>(src, dst, width, height, image, pitch);
}

void SmoothNormalDoubledReference(const uint16_t* src, uint16_t* dst, int width, int height,
                                  uint8_t* image, int pitch) {
    Smooth<false, true>(src, dst, width, height, image, pitch);
}

void SmoothFastDoubledReference(const uint16_t* src, uint16_t* dst, int width, int height,
                                uint8_t* image, int pitch) {
    Smooth<true, true>(src, dst, width, height, image, pitch);
}

#ifdef LK_SMOOTHING_AVX2
bool SmoothingHasAvx2() {
    // Also false where the system does not save the wide registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
#endif

SmoothKernel SmoothingVariant::Kernel(bool fastFilter, bool doublePixels) const {
    if (fastFilter)
        return doublePixels ? fastDoubled : fast;
    return doublePixels ? normalDoubled : normal;
}

const std::vector<SmoothingVariant>& AvailableSmoothingVariants() {
    static const std::vector<SmoothingVariant> variants = [] {
        std::vector<SmoothingVariant> list{{"Reference", SmoothNormalReference, SmoothFastReference,
                                            SmoothNormalDoubledReference,
                                            SmoothFastDoubledReference}};
#ifdef LK_SMOOTHING_SSE2
        list.push_back({"SSE2", SmoothNormalSse2, SmoothFastSse2, SmoothNormalDoubledSse2,
                        SmoothFastDoubledSse2});
#endif
#ifdef LK_SMOOTHING_AVX2
        if (SmoothingHasAvx2())
            list.push_back({"AVX2", SmoothNormalAvx2, SmoothFastAvx2, SmoothNormalDoubledAvx2,
                            SmoothFastDoubledAvx2});
#endif
        return list;
    }();
    return variants;
}

void SmoothField(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                 int pitch, bool fast, bool doublePixels) {
    static const SmoothingVariant best = AvailableSmoothingVariants().back();
    best.Kernel(fast, doublePixels)(src, dst, width, height, image, pitch);
}
