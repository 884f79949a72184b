#include "engine/Smoothing.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uint16_t Untouched16 = 0xBEEF;
constexpr uint8_t Untouched8 = 0xA5;

// A field with its zero border, addressed by cell coordinates; -1 and width/height reach the
// border.
struct Field {
    Field(int w, int h) : width(w), height(h), cells(size_t(w + 2) * size_t(h + 2), 0) {}
    uint16_t& At(int x, int y) { return cells[size_t(y + 1) * size_t(width + 2) + size_t(x + 1)]; }
    uint16_t At(int x, int y) const {
        return cells[size_t(y + 1) * size_t(width + 2) + size_t(x + 1)];
    }
    void Block(int x0, int y0, int n, uint16_t value) {
        for (int y = y0; y < y0 + n; ++y)
            for (int x = x0; x < x0 + n; ++x)
                At(x, y) = value;
    }
    int width, height;
    std::vector<uint16_t> cells;
};

// An image bigger than the field needs, prefilled so that every written byte can be told apart.
struct Image {
    Image(int w, int h) : width(w), height(h), pitch((w + 3 + 4) & ~3), bytes(size_t(pitch) * h) {
        std::fill(bytes.begin(), bytes.end(), Untouched8);
    }
    uint8_t At(int x, int y) const { return bytes[size_t(y) * pitch + x]; }
    int width, height, pitch;
    std::vector<uint8_t> bytes;
};

// The filters cell by cell, written as plainly as possible.
uint16_t Expected(const Field& f, int x, int y, bool fast) {
    auto v = [&](int dx, int dy) { return unsigned(f.At(x + dx, y + dy)); };
    if (!fast)
        return uint16_t(
            (v(-1, -1) + v(0, -1) + v(1, -1) + v(-1, 0) + v(1, 0) + v(-1, 1) + v(0, 1) + v(1, 1)) /
            8);
    int c = f.width - x;
    if (c % 2 == 1)
        return uint16_t((v(-1, 0) + v(1, 0) + v(0, 1) + v(0, -1)) / 4);
    return uint16_t((v(-1, -1) + v(1, -1) + v(-1, 1) + v(1, 1)) / 4);
}

Field Smooth(const Field& src, Image& image, bool fast, bool doublePixels) {
    Field dst(src.width, src.height);
    std::fill(dst.cells.begin(), dst.cells.end(), Untouched16);
    SmoothField(src.cells.data(), dst.cells.data(), src.width, src.height, image.bytes.data(),
                image.pitch, fast, doublePixels);
    return dst;
}

void ExpectBorderUntouched(const Field& dst) {
    for (int x = -1; x <= dst.width; ++x) {
        EXPECT_EQ(dst.At(x, -1), Untouched16) << x;
        EXPECT_EQ(dst.At(x, dst.height), Untouched16) << x;
    }
    for (int y = 0; y < dst.height; ++y) {
        EXPECT_EQ(dst.At(-1, y), Untouched16) << y;
        EXPECT_EQ(dst.At(dst.width, y), Untouched16) << y;
    }
}

// Every image byte is the field value at its (possibly doubled) place, and every byte outside
// the field's picture still holds its old value.
void ExpectImageMatches(const Field& dst, const Image& image, bool doublePixels) {
    int scale = doublePixels ? 2 : 1;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.pitch; ++x) {
            int fx = x / scale, fy = y / scale;
            if (fx < dst.width && fy < dst.height)
                ASSERT_EQ(image.At(x, y), dst.At(fx, fy)) << x << "," << y;
            else
                ASSERT_EQ(image.At(x, y), Untouched8) << x << "," << y;
        }
    }
}

} // namespace

TEST(Smoothing, NormalFilterOnABlock) {
    Field src(9, 9);
    src.Block(3, 3, 3, 255);
    Image image(9, 9);
    Field dst = Smooth(src, image, false, false);

    EXPECT_EQ(dst.At(4, 4), 255); // 2040 >> 3
    EXPECT_EQ(dst.At(4, 3), 159); // middle of an edge, 1275 >> 3
    EXPECT_EQ(dst.At(3, 4), 159);
    EXPECT_EQ(dst.At(5, 4), 159);
    EXPECT_EQ(dst.At(4, 5), 159);
    EXPECT_EQ(dst.At(3, 3), 95); // corners, 765 >> 3
    EXPECT_EQ(dst.At(5, 5), 95);
    EXPECT_EQ(dst.At(4, 2), 95); // just outside the middle of an edge
    EXPECT_EQ(dst.At(6, 4), 95);
    EXPECT_EQ(dst.At(2, 2), 31); // diagonally outside a corner
    EXPECT_EQ(dst.At(6, 6), 31);
    EXPECT_EQ(dst.At(1, 4), 0);
    ExpectBorderUntouched(dst);
    ExpectImageMatches(dst, image, false);
}

TEST(Smoothing, FastFilterAlternatesPlusAndCrossFromTheRightEnd) {
    // Width 9: the centre column 4 has c = 5 (plus), the corner columns 3 and 5 even c (cross).
    Field odd(9, 9);
    odd.Block(3, 3, 3, 255);
    Image image1(9, 9);
    Field dst = Smooth(odd, image1, true, false);
    EXPECT_EQ(dst.At(4, 4), 255);
    EXPECT_EQ(dst.At(3, 3), 63);
    EXPECT_EQ(dst.At(5, 5), 63);
    EXPECT_EQ(dst.At(4, 3), 191); // plus: three of four in the block
    EXPECT_EQ(dst.At(2, 4), 63);  // plus: only (3, 4)
    ExpectBorderUntouched(dst);
    ExpectImageMatches(dst, image1, false);

    // Width 10 moves every column's parity: the centre is a cross, the corners plus-shaped.
    Field even(10, 9);
    even.Block(3, 3, 3, 255);
    Image image2(10, 9);
    dst = Smooth(even, image2, true, false);
    EXPECT_EQ(dst.At(4, 4), 255);
    EXPECT_EQ(dst.At(3, 3), 127);
    EXPECT_EQ(dst.At(5, 5), 127);
    EXPECT_EQ(dst.At(4, 3), 127); // cross: (3, 4) and (5, 4)
    EXPECT_EQ(dst.At(2, 4), 127); // cross: (3, 3) and (3, 5)
    ExpectBorderUntouched(dst);
    ExpectImageMatches(dst, image2, false);
}

TEST(Smoothing, AllVariantsMatchTheCellByCellFilterOnRandomFields) {
    SeedRand(7);
    for (bool fast : {false, true}) {
        for (bool doublePixels : {false, true}) {
            for (auto [w, h] : std::vector<std::pair<int, int>>{
                     {1, 1}, {2, 1}, {1, 2}, {3, 2}, {17, 5}, {64, 3}, {33, 34}}) {
                Field src(w, h);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        src.At(x, y) = uint16_t(Rand() % 256);
                // Now and then a saturated field, the largest sums there are.
                if (w == 33)
                    std::fill(src.cells.begin(), src.cells.end(), 255);
                for (int x = -1; x <= w; ++x)
                    src.At(x, -1) = src.At(x, h) = 0;
                for (int y = 0; y < h; ++y)
                    src.At(-1, y) = src.At(w, y) = 0;

                int scale = doublePixels ? 2 : 1;
                // One column and row more than the doubled field covers, as an odd window gives.
                Image image(w * scale + 1, h * scale + 1);
                Field dst = Smooth(src, image, fast, doublePixels);
                SCOPED_TRACE(testing::Message() << "fast " << fast << " double " << doublePixels
                                                << " " << w << "x" << h);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(dst.At(x, y), Expected(src, x, y, fast)) << x << "," << y;
                ExpectBorderUntouched(dst);
                ExpectImageMatches(dst, image, doublePixels);
                if (w == 33 && !fast) {
                    EXPECT_EQ(dst.At(16, 16), 255);
                    EXPECT_EQ(dst.At(0, 0), 95); // three of eight neighbours inside
                }
            }
        }
    }
}

TEST(Smoothing, DoublePixelsWritesTwoByTwoBlocks) {
    Field src(3, 2);
    src.At(1, 0) = 8;
    src.At(1, 1) = 80;
    Image image(7, 5); // one column and one row left over
    Field dst = Smooth(src, image, false, true);
    EXPECT_EQ(dst.At(0, 0), 11); // (8 + 80) >> 3
    EXPECT_EQ(dst.At(1, 0), 10);
    EXPECT_EQ(image.At(0, 0), 11);
    EXPECT_EQ(image.At(1, 1), 11);
    EXPECT_EQ(image.At(2, 0), 10);
    EXPECT_EQ(image.At(3, 1), 10);
    EXPECT_EQ(image.At(6, 0), Untouched8);
    EXPECT_EQ(image.At(0, 4), Untouched8);
    ExpectImageMatches(dst, image, true);
}

TEST(Smoothing, AllZeroFieldStaysZero) {
    for (bool fast : {false, true}) {
        for (bool doublePixels : {false, true}) {
            Field src(20, 11);
            Image image(40, 22);
            Field dst = Smooth(src, image, fast, doublePixels);
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 20; ++x)
                    ASSERT_EQ(dst.At(x, y), 0);
            ExpectImageMatches(dst, image, doublePixels);
        }
    }
}

TEST(Smoothing, EmptyFieldWritesNothing) {
    for (auto [w, h] : std::vector<std::pair<int, int>>{{0, 0}, {0, 5}, {5, 0}}) {
        Field src(w, h);
        Field dst(w, h);
        std::fill(dst.cells.begin(), dst.cells.end(), Untouched16);
        Image image(8, 8);
        for (bool fast : {false, true})
            for (bool doublePixels : {false, true})
                SmoothField(src.cells.data(), dst.cells.data(), w, h, image.bytes.data(),
                            image.pitch, fast, doublePixels);
        for (uint16_t c : dst.cells)
            EXPECT_EQ(c, Untouched16);
        for (uint8_t b : image.bytes)
            EXPECT_EQ(b, Untouched8);
    }
}

namespace {

constexpr int GuardCells = 40;
constexpr int GuardRows = 2;

// One pass of a kernel into buffers that carry guard space before and after the field and the
// image, all prefilled so that any stray write shows.
struct Pass {
    Pass(const Field& src, int imageWidth, int imageHeight)
        : pitch((imageWidth + 3 + 4) & ~3), dst(src.cells.size() + 2 * GuardCells, Untouched16),
          image(size_t(pitch) * size_t(imageHeight + 2 * GuardRows), Untouched8) {}
    void Run(SmoothKernel kernel, const Field& src) {
        kernel(src.cells.data(), dst.data() + GuardCells, src.width, src.height,
               image.data() + size_t(GuardRows) * size_t(pitch), pitch);
    }
    int pitch;
    std::vector<uint16_t> dst;
    std::vector<uint8_t> image;
};

Field RandomField(int w, int h, bool wide) {
    Field f(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            f.At(x, y) = wide ? uint16_t(Rand() * 2 + (Rand() & 1)) : uint16_t(Rand() & 255);
    return f;
}

// Every kernel set this processor can run gives the reference's bytes exactly, dst border, guard
// cells, image padding and guard rows included.
void ExpectAllVariantsMatchReference(const Field& src, bool fast, bool doublePixels) {
    const int scale = doublePixels ? 2 : 1;
    // One column and row more than the field covers, as an odd window gives when halved.
    const int imageWidth = src.width * scale + 1, imageHeight = src.height * scale + 1;
    const auto& variants = AvailableSmoothingVariants();
    Pass reference(src, imageWidth, imageHeight);
    reference.Run(variants.front().Kernel(fast, doublePixels), src);
    for (size_t v = 1; v < variants.size(); ++v) {
        Pass pass(src, imageWidth, imageHeight);
        pass.Run(variants[v].Kernel(fast, doublePixels), src);
        ASSERT_TRUE(pass.dst == reference.dst)
            << variants[v].name << " dst, " << src.width << "x" << src.height << " fast " << fast
            << " double " << doublePixels;
        ASSERT_TRUE(pass.image == reference.image)
            << variants[v].name << " image, " << src.width << "x" << src.height << " fast " << fast
            << " double " << doublePixels;
    }
}

} // namespace

TEST(Smoothing, VariantListStartsWithTheReferenceAndIsComplete) {
    const auto& variants = AvailableSmoothingVariants();
    ASSERT_FALSE(variants.empty());
    EXPECT_STREQ(variants.front().name, "Reference");
    EXPECT_EQ(variants.front().normal, &SmoothNormalReference);
    EXPECT_EQ(variants.front().fastDoubled, &SmoothFastDoubledReference);
    for (const SmoothingVariant& v : variants) {
        SCOPED_TRACE(v.name);
        EXPECT_NE(v.normal, nullptr);
        EXPECT_NE(v.fast, nullptr);
        EXPECT_NE(v.normalDoubled, nullptr);
        EXPECT_NE(v.fastDoubled, nullptr);
        EXPECT_EQ(v.Kernel(true, false), v.fast);
        EXPECT_EQ(v.Kernel(false, true), v.normalDoubled);
    }
#ifdef LK_SMOOTHING_SSE2
    ASSERT_GE(variants.size(), 2u);
    EXPECT_STREQ(variants[1].name, "SSE2");
    const bool listsAvx2 = std::string(variants.back().name) == "AVX2";
    EXPECT_EQ(listsAvx2, SmoothingHasAvx2());
#endif
}

// The reference itself keeps to the field: its border, the padding and the bytes beyond the field
// keep their old values, and the guard space around both buffers is untouched.
TEST(Smoothing, ReferenceWritesOnlyTheFieldAndItsPicture) {
    SeedRand(3);
    for (bool fast : {false, true}) {
        for (bool doublePixels : {false, true}) {
            for (auto [w, h] : std::vector<std::pair<int, int>>{{1, 1}, {5, 3}, {16, 2}, {37, 4}}) {
                Field src = RandomField(w, h, false);
                const int scale = doublePixels ? 2 : 1;
                Pass pass(src, w * scale + 1, h * scale + 1);
                pass.Run(AvailableSmoothingVariants().front().Kernel(fast, doublePixels), src);
                SCOPED_TRACE(testing::Message()
                             << w << "x" << h << " fast " << fast << " double " << doublePixels);
                for (int i = 0; i < GuardCells; ++i) {
                    ASSERT_EQ(pass.dst[size_t(i)], Untouched16);
                    ASSERT_EQ(pass.dst[pass.dst.size() - 1 - size_t(i)], Untouched16);
                }
                Field dst(w, h);
                std::copy(pass.dst.begin() + GuardCells, pass.dst.end() - GuardCells,
                          dst.cells.begin());
                ExpectBorderUntouched(dst);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(dst.At(x, y), Expected(src, x, y, fast));
                const size_t rowBytes = size_t(pass.pitch);
                for (size_t i = 0; i < GuardRows * rowBytes; ++i) {
                    ASSERT_EQ(pass.image[i], Untouched8);
                    ASSERT_EQ(pass.image[pass.image.size() - 1 - i], Untouched8);
                }
                for (int y = 0; y < h * scale + 1; ++y) {
                    for (int x = 0; x < pass.pitch; ++x) {
                        const uint8_t b =
                            pass.image[(size_t(y) + GuardRows) * rowBytes + size_t(x)];
                        if (x / scale < w && y / scale < h)
                            ASSERT_EQ(b, uint8_t(dst.At(x / scale, y / scale))) << x << "," << y;
                        else
                            ASSERT_EQ(b, Untouched8) << x << "," << y;
                    }
                }
            }
        }
    }
}

// Widths around every vector and column width, heights around both band heights (four rows with
// DoublePixels, eight without), small and large.
TEST(Smoothing, EveryVariantMatchesTheReferenceExactly) {
    SeedRand(11);
    for (bool fast : {false, true}) {
        for (bool doublePixels : {false, true}) {
            for (int w = 1; w <= 70; ++w)
                for (int h : {1, 2, 3, 4, 5, 7, 8, 9, 17})
                    ExpectAllVariantsMatchReference(RandomField(w, h, false), fast, doublePixels);
            for (auto [w, h] : std::vector<std::pair<int, int>>{
                     {127, 9}, {128, 8}, {129, 5}, {481, 3}, {960, 6}, {1023, 2}, {1920, 3}}) {
                ExpectAllVariantsMatchReference(RandomField(w, h, false), fast, doublePixels);
            }
        }
    }
}

// Values above 255 never occur in a running field, but the kernels must still agree with the
// reference on them: its sums wrap at 16 bits and the image takes the low byte of the result.
TEST(Smoothing, EveryVariantMatchesTheReferenceOnOutOfRangeCells) {
    SeedRand(13);
    for (bool fast : {false, true}) {
        for (bool doublePixels : {false, true}) {
            for (auto [w, h] : std::vector<std::pair<int, int>>{
                     {1, 1}, {8, 2}, {17, 3}, {33, 4}, {64, 5}, {65, 2}, {200, 3}}) {
                ExpectAllVariantsMatchReference(RandomField(w, h, true), fast, doublePixels);
                Field saturated(w, h);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        saturated.At(x, y) = 0xFFFF;
                ExpectAllVariantsMatchReference(saturated, fast, doublePixels);
            }
        }
    }
}
