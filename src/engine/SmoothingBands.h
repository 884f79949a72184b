#pragma once

// The walk over the field that the vector kernels share. The field goes in bands of BandRows rows,
// each band column by column from top to bottom; a row too short for one column goes to the
// reference, and the last column of a band is moved left to end at the row's end, so it
// recomputes a few cells (with the same result, since only src is read) instead of writing past
// the field.
//
// A kernel file supplies its columns as a type in its unnamed namespace with
//   template <bool Fast> static constexpr int Cells;   the width of one column
//   template <bool Fast, bool Doubled, int Rows>
//   static void Run(in, out, stride, image, pitch, y0, x, width);   one column of Rows rows
// Every template here depends on that type, so each instantiation is local to its kernel file and
// built with that file's instruction set. Nothing that does not depend on it may be added here:
// it could be shared between files and run on a processor without that instruction set.
#include "engine/Smoothing.h"

#include <cstddef>
#include <cstdint>

namespace smoothing {

// Taller bands reuse more of each column's loads, but every row of a band is a stream of its own
// for the prefetcher. A fixed height lets the compiler unroll the rows and keep every counter in
// a register; the few rows left at the bottom go one by one. With DoublePixels each field row
// writes two image rows: bands of four keep the streams of image rows at eight, where sixteen
// left a 4K image's writes waiting on memory (slower than the plain row-by-row loops).
template <bool Doubled> constexpr int BandRows = Doubled ? 4 : 8;

// One band of Rows rows from y0 down. in and out point at field cell (0, 0). Out of line, so that
// its loop variables get registers of their own.
template <class Columns, bool Fast, bool Doubled, int Rows>
[[gnu::noinline]] void Band(const uint16_t* in, uint16_t* out, std::ptrdiff_t stride,
                            uint8_t* image, std::ptrdiff_t pitch, int width, int y0) {
    constexpr int cells = Columns::template Cells<Fast>;
    const std::ptrdiff_t lastColumn = width - cells;
    // One call site keeps the unrolled column small enough for the registers.
    for (std::ptrdiff_t x = 0;; x += cells) {
        if (x > lastColumn)
            x = lastColumn;
        Columns::template Run<Fast, Doubled, Rows>(in, out, stride, image, pitch, y0, x, width);
        if (x == lastColumn)
            break;
    }
}

template <class Columns, bool Fast, bool Doubled>
void SmoothInBands(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                   int pitch, SmoothKernel reference) {
    if (width <= 0 || height <= 0)
        return;
    if (width < Columns::template Cells<Fast>) {
        reference(src, dst, width, height, image, pitch);
        return;
    }
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(width) + 2;
    const uint16_t* in = src + stride + 1;
    uint16_t* out = dst + stride + 1;
    int y0 = 0;
    for (; y0 + BandRows<Doubled> <= height; y0 += BandRows<Doubled>)
        Band<Columns, Fast, Doubled, BandRows<Doubled>>(in, out, stride, image, pitch, width, y0);
    for (; y0 < height; ++y0)
        Band<Columns, Fast, Doubled, 1>(in, out, stride, image, pitch, width, y0);
}

} // namespace smoothing
