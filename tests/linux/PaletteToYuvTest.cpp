#include "linux/PaletteToYuv.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace {

enum : uint8_t { Black, White, Red, Blue };

struct Planes {
    std::vector<uint8_t> y, u, v;
};

Planes Convert(const std::vector<uint8_t>& indices, int width, int height) {
    PaletteEntry palette[256] = {};
    palette[White] = {255, 255, 255, 0};
    palette[Red] = {0, 0, 255, 0};
    palette[Blue] = {255, 0, 0, 0};
    PaletteToYuv converter;
    converter.LoadPalette(palette);
    const int cw = (width + 1) / 2, ch = (height + 1) / 2;
    // Nothing the converter writes is 0: studio range starts at 16.
    Planes p{std::vector<uint8_t>(width * height), std::vector<uint8_t>(cw * ch),
             std::vector<uint8_t>(cw * ch)};
    converter.Convert(indices.data(), width, width, height, p.y.data(), width, p.u.data(), cw,
                      p.v.data(), cw);
    return p;
}

TEST(LinuxPaletteToYuv, OneColourBlocksGetTheStudioRangeValues) {
    // Four 2x2 blocks side by side: black, white, red, blue.
    std::vector<uint8_t> indices;
    for (int row = 0; row < 2; ++row)
        for (uint8_t colour : {Black, White, Red, Blue})
            indices.insert(indices.end(), {colour, colour});
    Planes p = Convert(indices, 8, 2);
    EXPECT_EQ(p.y, (std::vector<uint8_t>{16, 16, 235, 235, 81, 81, 41, 41, 16, 16, 235, 235, 81, 81,
                                         41, 41}));
    EXPECT_EQ(p.u, (std::vector<uint8_t>{128, 128, 90, 240}));
    EXPECT_EQ(p.v, (std::vector<uint8_t>{128, 128, 240, 110}));
}

TEST(LinuxPaletteToYuv, BlocksCutByAnOddEdgeTakeOnlyTheirOwnPixels) {
    // 3x3, the last column red: the edge blocks hold red only, and every pixel is written.
    Planes p = Convert({Black, Black, Red, Black, Black, Red, Black, Black, Red}, 3, 3);
    EXPECT_EQ(p.y, (std::vector<uint8_t>{16, 16, 81, 16, 16, 81, 16, 16, 81}));
    EXPECT_EQ(p.u, (std::vector<uint8_t>{128, 90, 128, 90}));
    EXPECT_EQ(p.v, (std::vector<uint8_t>{128, 240, 128, 240}));
}

// The squared error of red, green and blue as a player rebuilds a 2x2 block from these
// brightnesses and the block's colour.
double BlockError(const Planes& p, const std::array<int, 4>& luma,
                  const std::array<std::array<int, 3>, 4>& wanted) {
    const double u = p.u[0] - 128.0, v = p.v[0] - 128.0;
    double sum = 0;
    for (int i = 0; i < 4; ++i) {
        const double y = 1.164 * (luma[i] - 16);
        const double rgb[3] = {y + 1.596 * v, y - 0.392 * u - 0.813 * v, y + 2.017 * u};
        for (int c = 0; c < 3; ++c) {
            const double d = std::clamp(rgb[c], 0.0, 255.0) - wanted[i][c];
            sum += d * d;
        }
    }
    return sum;
}

TEST(LinuxPaletteToYuv, BrightnessMakesUpForTheSharedColour) {
    // One red pixel among three black ones: a brighter red comes closer.
    Planes p = Convert({Red, Black, Black, Black}, 2, 2);
    EXPECT_EQ(p.u, std::vector<uint8_t>{119}); // (90 + 3 * 128) / 4 = 118.6
    EXPECT_EQ(p.v, std::vector<uint8_t>{156});
    const std::array<std::array<int, 3>, 4> redAndBlack{
        {{255, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}};
    EXPECT_GT(p.y[0], 81);
    EXPECT_LT(BlockError(p, {p.y[0], p.y[1], p.y[2], p.y[3]}, redAndBlack),
              BlockError(p, {81, 16, 16, 16}, redAndBlack));
}

} // namespace
