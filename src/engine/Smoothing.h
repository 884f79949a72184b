#pragma once

#include <cstdint>

// The blur that turns one field buffer into the next and into the 8-bit image, in one pass.
//
// src and dst are whole buffers of (width + 2) x (height + 2) cells including their zero border;
// only the inner cells of dst are written, src is only read. Field row y goes to image row y
// (image + y * pitch), or with the doubled variants to the 2 x 2 block at bytes 2x, 2x + 1 of rows
// 2y and 2y + 1. No other image byte is touched and the image is never read. A width or height of
// 0 (or less) does nothing.
//
// Normal: the mean of the eight neighbours, remainder dropped.
void SmoothNormal(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                  int pitch);
// Fast: four neighbours per cell, plus-shaped where the distance to the row's right end (the cell
// included) is odd and X-shaped where it is even.
void SmoothFast(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                int pitch);
void SmoothNormalDoubled(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                         int pitch);
void SmoothFastDoubled(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                       int pitch);

// Picks the variant.
void SmoothField(const uint16_t* src, uint16_t* dst, int width, int height, uint8_t* image,
                 int pitch, bool fast, bool doublePixels);
