#pragma once

#include <cstdint>
#include <vector>

// The blur that turns one field buffer into the next and into the 8-bit image, in one pass.
//
// src and dst are whole buffers of (width + 2) x (height + 2) cells including their zero border;
// only the inner cells of dst are written, src is only read. Field row y goes to image row y
// (image + y * pitch), or with the doubled kernels to the 2 x 2 block at bytes 2x, 2x + 1 of rows
// 2y and 2y + 1. No other image byte is touched and the image is never read. A width or height of
// 0 (or less) does nothing.
//
// Normal: the mean of the eight neighbours, remainder dropped.
// Fast: four neighbours per cell, plus-shaped where the distance to the row's right end (the cell
// included) is odd and X-shaped where it is even.
//
// Every kernel set gives exactly the same dst cells and image bytes; they differ only in speed.
using SmoothKernel = void (*)(const uint16_t* src, uint16_t* dst, int width, int height,
                              uint8_t* image, int pitch);

// The plain cell-by-cell loops: what the vector kernels are checked against, and the kernels used
// where there are no vector ones.
void SmoothNormalReference(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch);
void SmoothFastReference(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                         int pitch);
void SmoothNormalDoubledReference(const uint16_t* src, uint16_t* dst, int width, int height,
                                  uint8_t* image, int pitch);
void SmoothFastDoubledReference(const uint16_t* src, uint16_t* dst, int width, int height,
                                uint8_t* image, int pitch);

// SSE2 is the least an x86 build of this program asks for (the 32-bit build says so with -msse2);
// the AVX2 kernels are built for every x86 target but run only where SmoothingHasAvx2 says the
// processor and the system support them.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define LK_SMOOTHING_SSE2 1
void SmoothNormalSse2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                      int pitch);
void SmoothFastSse2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                    int pitch);
void SmoothNormalDoubledSse2(const uint16_t* src, uint16_t* dst, int width, int height,
                             uint8_t* image, int pitch);
void SmoothFastDoubledSse2(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch);
// Selected with GCC's target pragma, which clang (the fuzz build) does not know.
#if defined(__GNUC__) && !defined(__clang__)
#define LK_SMOOTHING_AVX2 1
void SmoothNormalAvx2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                      int pitch);
void SmoothFastAvx2(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                    int pitch);
void SmoothNormalDoubledAvx2(const uint16_t* src, uint16_t* dst, int width, int height,
                             uint8_t* image, int pitch);
void SmoothFastDoubledAvx2(const uint16_t* src, uint16_t* dst, int width, int height,
                           uint8_t* image, int pitch);
bool SmoothingHasAvx2();
#endif
#endif

// One complete set of kernels.
struct SmoothingVariant {
    const char* name;
    SmoothKernel normal;
    SmoothKernel fast;
    SmoothKernel normalDoubled;
    SmoothKernel fastDoubled;

    SmoothKernel Kernel(bool fastFilter, bool doublePixels) const;
};

// The kernel sets this processor can run: the reference first, the one SmoothField uses last.
const std::vector<SmoothingVariant>& AvailableSmoothingVariants();

// Smooths with the fastest kernel set this processor can run.
void SmoothField(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                 int pitch, bool fast, bool doublePixels);
