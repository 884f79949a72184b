#include "engine/PaletteExpander.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr uint32_t Untouched = 0x12345678u;
constexpr uint8_t Padding = 0x5A;

// A palette in which every entry, and every channel of it, differs from its neighbours'.
void DistinctPalette(PaletteEntry palette[256], int salt) {
    for (int i = 0; i < 256; ++i) {
        palette[i].red = uint8_t(i * 7 + salt);
        palette[i].green = uint8_t(255 - i + salt);
        palette[i].blue = uint8_t(i * 13 + 5 + salt);
        palette[i].reserved = uint8_t(i); // never shown
    }
}

uint32_t Lookup(const PaletteEntry& e) {
    return 0xFF000000u | uint32_t{e.red} << 16 | uint32_t{e.green} << 8 | e.blue;
}

// A bottom-up image with padding bytes past the width, and room for the expanded rows with guard
// pixels past the width and after the last row.
struct Frame {
    Frame(int w, int h, int padding, int outPadding)
        : width(w), height(h), pitch(w + padding), outPitch(w + outPadding),
          image(size_t(pitch) * size_t(h), Padding),
          out(size_t(outPitch) * size_t(h) + 16, Untouched) {}
    uint8_t& At(int x, int y) { return image[size_t(y) * size_t(pitch) + size_t(x)]; }
    void Expand(const PaletteExpander& e) {
        e.Expand(image.data(), pitch, width, height, out.data(), outPitch);
    }
    // Row y of the output is image row height - 1 - y; nothing else is written.
    void ExpectMatches(const PaletteEntry palette[256]) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < outPitch; ++x) {
                const uint32_t got = out[size_t(y) * size_t(outPitch) + size_t(x)];
                if (x < width)
                    ASSERT_EQ(got, Lookup(palette[At(x, height - 1 - y)]))
                        << width << "x" << height << " at " << x << "," << y;
                else
                    ASSERT_EQ(got, Untouched) << width << " at " << x << "," << y;
            }
        }
        for (size_t i = size_t(outPitch) * size_t(height); i < out.size(); ++i)
            ASSERT_EQ(out[i], Untouched);
    }
    int width, height, pitch, outPitch;
    std::vector<uint8_t> image;
    std::vector<uint32_t> out;
};

} // namespace

TEST(PaletteExpander, EveryIndexIsItsPaletteColour) {
    PaletteEntry palette[256];
    DistinctPalette(palette, 0);
    PaletteExpander expander;
    expander.LoadPalette(palette);
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(expander.Pixel(uint8_t(i)), Lookup(palette[i])) << i;

    // All 256 indices in one row, shifted along it so each lands in every place of a group of
    // eight, at widths that leave every possible tail.
    for (int width : {256, 257, 263, 271}) {
        for (int shift = 0; shift < 8; ++shift) {
            Frame f(width, 2, 3, 5);
            for (int x = 0; x < width; ++x) {
                f.At(x, 0) = uint8_t(x + shift);
                f.At(x, 1) = uint8_t(255 - x - shift);
            }
            f.Expand(expander);
            f.ExpectMatches(palette);
        }
    }
}

TEST(PaletteExpander, OddWidthsRunsAndRandomRows) {
    PaletteEntry palette[256];
    DistinctPalette(palette, 3);
    PaletteExpander expander;
    expander.LoadPalette(palette);
    SeedRand(21);
    for (int width = 1; width <= 41; ++width) {
        for (int height : {1, 2, 5}) {
            Frame f(width, height, (4 - width % 4) % 4, width % 3);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    // Stretches of black and of one colour, as the glow leaves them, between
                    // random pixels: a group of eight like the one before it and one unlike it.
                    const int stretch = (x / 8 + y) % 3;
                    f.At(x, y) = stretch == 0   ? 0
                                 : stretch == 1 ? uint8_t(200 + y)
                                                : uint8_t(Rand() & 255);
                }
            }
            f.Expand(expander);
            f.ExpectMatches(palette);
        }
    }
}

// A palette loaded later replaces the first everywhere, black stretches included.
TEST(PaletteExpander, ANewPaletteAppliesToEveryPixel) {
    PaletteEntry first[256], second[256];
    DistinctPalette(first, 0);
    DistinctPalette(second, 101);
    PaletteExpander expander;
    expander.LoadPalette(first);
    Frame f(37, 3, 3, 0);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 37; ++x)
            f.At(x, y) = x < 16 ? 0 : uint8_t(x * y);
    f.Expand(expander);
    f.ExpectMatches(first);
    expander.LoadPalette(second);
    f.Expand(expander);
    f.ExpectMatches(second);
}
