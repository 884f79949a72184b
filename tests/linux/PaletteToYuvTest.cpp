#include "linux/PaletteToYuv.h"

#include <algorithm>
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

TEST(LinuxPaletteToYuv, OneColourBlocksGetTheStudioRangeValuesAndOddEdgesOnlyTheirOwnPixels) {
    // 2x2 blocks side by side: black, white, red, blue.
    Planes p = Convert({Black, Black, White, White, Red, Red, Blue, Blue, //
                        Black, Black, White, White, Red, Red, Blue, Blue},
                       8, 2);
    EXPECT_EQ(p.y, (std::vector<uint8_t>{16, 16, 235, 235, 81, 81, 41, 41, 16, 16, 235, 235, 81, 81,
                                         41, 41}));
    EXPECT_EQ(p.u, (std::vector<uint8_t>{128, 128, 90, 240}));
    EXPECT_EQ(p.v, (std::vector<uint8_t>{128, 128, 240, 110}));
    // 3x3, the last column red: the edge blocks hold red alone, and every pixel is written.
    p = Convert({Black, Black, Red, Black, Black, Red, Black, Black, Red}, 3, 3);
    EXPECT_EQ(p.y, (std::vector<uint8_t>{16, 16, 81, 16, 16, 81, 16, 16, 81}));
    EXPECT_EQ(p.u, (std::vector<uint8_t>{128, 90, 128, 90}));
    EXPECT_EQ(p.v, (std::vector<uint8_t>{128, 240, 128, 240}));
}

TEST(LinuxPaletteToYuv, BrightnessMakesUpForTheSharedColour) {
    // One red pixel among three black ones shares their colour: (90 + 3 * 128) / 4 = 118.6 and
    // (240 + 3 * 128) / 4. As a player rebuilds it, a brighter red than red's own comes closer.
    Planes p = Convert({Red, Black, Black, Black}, 2, 2);
    EXPECT_EQ(p.u, std::vector<uint8_t>{119});
    EXPECT_EQ(p.v, std::vector<uint8_t>{156});
    auto error = [&](int luma) {
        const double y = 1.164 * (luma - 16), u = p.u[0] - 128.0, v = p.v[0] - 128.0;
        const double rgb[3] = {y + 1.596 * v - 255, y - 0.392 * u - 0.813 * v, y + 2.017 * u};
        return rgb[0] * rgb[0] + rgb[1] * rgb[1] + rgb[2] * rgb[2];
    };
    EXPECT_GT(p.y[0], 81);
    EXPECT_LT(error(p.y[0]), error(81));
}

} // namespace
