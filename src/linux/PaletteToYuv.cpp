#include "linux/PaletteToYuv.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Fraction = 8; // bits below the step

uint8_t Round(int32_t value, int low, int high) {
    return static_cast<uint8_t>(std::clamp((value + (1 << (Fraction - 1))) >> Fraction, low, high));
}

// A player adds the block's colour to a pixel's brightness, channel by channel: red 1.402 V,
// green -0.344136 U - 0.714136 V, blue 1.772 U (in units of 224 steps). Where the block's colour
// differs from the pixel's own by dU, dV, the brightness that makes the three errors smallest
// together moves by minus their mean, in units of 219 steps. In 1/4096.
constexpr int32_t FromU =
    static_cast<int32_t>(219.0 / 224.0 / 3.0 * (1.772 - 0.344136) * 4096 + 0.5);
constexpr int32_t FromV =
    static_cast<int32_t>(219.0 / 224.0 / 3.0 * (1.402 - 0.714136) * 4096 + 0.5);

} // namespace

void PaletteToYuv::LoadPalette(const PaletteEntry palette[256]) {
    auto fixed = [](double value) {
        return static_cast<int32_t>(std::lround(value * (1 << Fraction)));
    };
    for (int i = 0; i < 256; ++i) {
        const double r = palette[i].red / 255.0;
        const double g = palette[i].green / 255.0;
        const double b = palette[i].blue / 255.0;
        m_aY[i] = fixed(16 + 219 * (0.299 * r + 0.587 * g + 0.114 * b));
        m_aU[i] = fixed(128 + 224 * (-0.168736 * r - 0.331264 * g + 0.5 * b));
        m_aV[i] = fixed(128 + 224 * (0.5 * r - 0.418688 * g - 0.081312 * b));
        m_aRoundedY[i] = Round(m_aY[i], 16, 235);
        m_aRoundedU[i] = Round(m_aU[i], 16, 240);
        m_aRoundedV[i] = Round(m_aV[i], 16, 240);
    }
}

void PaletteToYuv::Convert(const uint8_t* rows, int stride, int width, int height, uint8_t* y,
                           int yStride, uint8_t* u, int uStride, uint8_t* v, int vStride) const {
    for (int by = 0; by < (height + 1) / 2; ++by) {
        const int rowsHere = std::min(2, height - 2 * by);
        const uint8_t* in[2] = {rows + static_cast<size_t>(2 * by) * stride,
                                rows + static_cast<size_t>(2 * by + rowsHere - 1) * stride};
        uint8_t* out[2] = {y + static_cast<size_t>(2 * by) * yStride,
                           y + static_cast<size_t>(2 * by + rowsHere - 1) * yStride};
        uint8_t* outU = u + static_cast<size_t>(by) * uStride;
        uint8_t* outV = v + static_cast<size_t>(by) * vStride;
        for (int bx = 0; bx < (width + 1) / 2; ++bx) {
            // A short block repeats its last row or column, which leaves the mean as it is.
            const int x0 = 2 * bx, x1 = std::min(x0 + 1, width - 1);
            const uint8_t block[4] = {in[0][x0], in[0][x1], in[1][x0], in[1][x1]};
            if (block[0] == block[1] && block[0] == block[2] && block[0] == block[3]) {
                // Most of the picture: one colour, most often black, all four pixels.
                out[0][x0] = out[0][x1] = out[1][x0] = out[1][x1] = m_aRoundedY[block[0]];
                outU[bx] = m_aRoundedU[block[0]];
                outV[bx] = m_aRoundedV[block[0]];
                continue;
            }
            int32_t sumU = 0, sumV = 0;
            for (uint8_t index : block) {
                sumU += m_aU[index];
                sumV += m_aV[index];
            }
            const int32_t blockU = sumU / 4, blockV = sumV / 4;
            outU[bx] = Round(blockU, 16, 240);
            outV[bx] = Round(blockV, 16, 240);
            uint8_t luma[4];
            for (int i = 0; i < 4; ++i) {
                const uint8_t index = block[i];
                const int32_t moved =
                    (FromU * (blockU - m_aU[index]) + FromV * (blockV - m_aV[index])) / 4096;
                luma[i] = Round(m_aY[index] - moved, 16, 235);
            }
            out[0][x0] = luma[0];
            out[0][x1] = luma[1];
            out[1][x0] = luma[2];
            out[1][x1] = luma[3];
        }
    }
}
