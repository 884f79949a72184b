#include "editor/ColorConversion.h"
#include "editor/ColorPickerModel.h"

#include <gtest/gtest.h>

namespace {

RgbColor EntryColor(const PaletteEntry& e) {
    return {e.red, e.green, e.blue};
}

// Row k spans y 4..18 below its top at 0, 18, 36; the bar starts at x 14.
constexpr int RowY[3] = {10, 28, 46};

class ColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override { m_picker.Layout(228); } // slider width 200
    ColorPickerModel m_picker;
};

} // namespace

TEST(ColorConversionTest, RgbToHsvTruncatesEachChannel) {
    struct Case {
        RgbColor rgb;
        HsvColor hsv;
    } cases[] = {{{255, 0, 0}, {0, 255, 255}},
                 {{0, 255, 0}, {120, 255, 255}},
                 {{0, 0, 255}, {240, 255, 255}},
                 {{128, 64, 32}, {20, 191, 128}},
                 {{100, 150, 200}, {210, 127, 200}},
                 {{255, 255, 255}, {-1, 0, 255}},
                 {{0, 0, 0}, {-1, 0, 0}},
                 {{33, 33, 33}, {-1, 0, 32}},
                 {{255, 128, 0}, {30, 255, 255}}};
    for (const Case& c : cases)
        EXPECT_EQ(RgbToHsv(c.rgb), c.hsv) << c.rgb.red << "," << c.rgb.green << "," << c.rgb.blue;
}

TEST(ColorConversionTest, HsvToRgbTruncatesAndFoldsOddSextants) {
    struct Case {
        HsvColor hsv;
        RgbColor rgb;
    } cases[] = {{{0, 255, 255}, {255, 0, 0}},     {{60, 255, 255}, {255, 255, 0}},
                 {{180, 255, 255}, {0, 255, 255}}, {{300, 255, 255}, {255, 0, 255}},
                 {{359, 255, 255}, {255, 0, 4}},   {{30, 128, 200}, {200, 149, 99}},
                 {{0, 0, 128}, {128, 128, 128}},   {{-1, 128, 200}, {200, 99, 101}},
                 {{-1, 0, 32}, {32, 32, 32}},      {{30, 255, 255}, {255, 127, 0}}};
    for (const Case& c : cases)
        EXPECT_EQ(HsvToRgb(c.hsv), c.rgb)
            << c.hsv.hue << "," << c.hsv.saturation << "," << c.hsv.value;
}

TEST(ColorConversionTest, PackingPutsRedLowAndKeepsLowBytes) {
    EXPECT_EQ(PackColor({0x12, 0x34, 0x56}), 0x563412u);
    EXPECT_EQ(PackColor({0x1FF, -1, 0x100}), 0x00FFFFu);
    EXPECT_EQ(UnpackColor(0xAB563412u), (RgbColor{0x12, 0x34, 0x56}));
}

TEST_F(ColorPickerTest, PressesAtTheBarEndsGiveEachSliderItsLimits) {
    m_picker.m_bRGB = true;
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(m_picker.Press({14, RowY[k]}));
        EXPECT_EQ(m_picker.SliderValue(k), 0);
        EXPECT_TRUE(m_picker.Press({14 + 200, RowY[k]}));
        EXPECT_EQ(m_picker.SliderValue(k), 255);
    }
    EXPECT_EQ(m_picker.PackedColor(), 0xFFFFFFu);
    m_picker.m_bRGB = false;
    EXPECT_TRUE(m_picker.Press({5, RowY[0]}));
    EXPECT_EQ(m_picker.m_nHue, 0);
    EXPECT_TRUE(m_picker.Press({227, RowY[0]}));
    EXPECT_EQ(m_picker.m_nHue, 359);
    EXPECT_EQ(m_picker.m_nActiveSlider, 0);
}

TEST_F(ColorPickerTest, PressesOutsideTheRowsChangeNothing) {
    m_picker.SetColor(10, 20, 30);
    for (Point p : {Point{100, 3}, Point{100, 54}, Point{228, RowY[1]}, Point{-1, RowY[1]}})
        EXPECT_FALSE(m_picker.Press(p)) << p.x << "," << p.y;
    EXPECT_EQ(m_picker.m_nActiveSlider, -1);
    EXPECT_EQ(m_picker.PackedColor(), PackColor({10, 20, 30}));
}

TEST_F(ColorPickerTest, EachModeRecomputesTheOther) {
    m_picker.SetColor(200, 200, 200);
    EXPECT_EQ(m_picker.m_nHue, -1);
    EXPECT_EQ(m_picker.m_nActiveSlider, -1);
    EXPECT_FALSE(m_picker.Move({100, RowY[0]}));
    EXPECT_EQ(m_picker.ThumbRect(0, false), (Rect{10, 4, 18, 18}));

    EXPECT_TRUE(m_picker.Press({115, RowY[1]})); // 255 * 101 / 200 = 128
    EXPECT_EQ(m_picker.m_nSaturation, 128);
    EXPECT_EQ(m_picker.PackedColor(), PackColor({200, 99, 101}));
    EXPECT_TRUE(m_picker.Release());
    EXPECT_FALSE(m_picker.Release());

    m_picker.m_bRGB = true;
    m_picker.SetColor(0, 0, 0);
    EXPECT_TRUE(m_picker.Press({214, RowY[0]}));
    EXPECT_EQ(RgbToHsv({255, 0, 0}),
              (HsvColor{m_picker.m_nHue, m_picker.m_nSaturation, m_picker.m_nValue}));
}

TEST_F(ColorPickerTest, TooNarrowAClientPutsEverySliderAtZero) {
    m_picker.m_bRGB = true;
    for (int width : {28, 20}) { // no bar at all, or one of negative width
        m_picker.Layout(width);
        m_picker.SetColor(90, 90, 90);
        EXPECT_TRUE(m_picker.Press({width - 1, RowY[2]}));
        EXPECT_EQ(m_picker.m_nBlue, 0) << width;
    }
}

TEST_F(ColorPickerTest, GeometryScalesWithDpi) {
    EXPECT_EQ(m_picker.BarRect(1), (Rect{14, 26, 214, 32}));
    m_picker.Layout(456, 192);
    EXPECT_EQ(m_picker.m_nSliderWidth, 400);
    EXPECT_EQ(m_picker.BarRect(1), (Rect{28, 52, 428, 64}));
    EXPECT_EQ(m_picker.ThumbRect(2, true), (Rect{0, 80, 456, 108}));
    m_picker.m_bRGB = true;
    m_picker.SetColor(0, 0, 255);
    EXPECT_EQ(m_picker.ThumbRect(2, false), (Rect{420, 80, 436, 108}));
}

TEST_F(ColorPickerTest, BarsShowTheColoursTheirSliderWouldGive) {
    PaletteEntry table[256];
    m_picker.SetColor(10, 20, 30);
    m_picker.BarColors(0, table);
    EXPECT_EQ(EntryColor(table[1]), HsvToRgb({1, 255, 255}));
    EXPECT_EQ(EntryColor(table[254]), HsvToRgb({358, 255, 255}));
    EXPECT_EQ(EntryColor(table[255]), (RgbColor{255, 0, 255})); // hue 360
    m_picker.BarColors(2, table);
    HsvColor hsv = RgbToHsv({10, 20, 30});
    EXPECT_EQ(EntryColor(table[77]), HsvToRgb({hsv.hue, hsv.saturation, 77}));
    m_picker.m_bRGB = true;
    m_picker.BarColors(1, table);
    EXPECT_EQ(EntryColor(table[200]), (RgbColor{10, 200, 30}));
    EXPECT_EQ(table[200].reserved, 0);
}

TEST_F(ColorPickerTest, ArrowKeysChooseASliderAndStepItToThePointersNextValue) {
    m_picker.m_bRGB = true;
    m_picker.SelectKeySlider(-1);
    EXPECT_EQ(m_picker.KeySlider(), 0);
    EXPECT_TRUE(m_picker.StepKeySlider(1));
    EXPECT_EQ(m_picker.PackedColor(), PackColor({1, 0, 0}));
    for (int i = 0; i < 3; ++i)
        m_picker.SelectKeySlider(1);
    EXPECT_EQ(m_picker.KeySlider(), 2);

    // 200 pixels for 256 values: a step left from the top skips the value no pixel gives.
    m_picker.SetColor(0, 0, 255);
    EXPECT_FALSE(m_picker.StepKeySlider(1));
    EXPECT_TRUE(m_picker.StepKeySlider(-1));
    EXPECT_EQ(m_picker.m_nBlue, 253);
    EXPECT_EQ(m_picker.m_nActiveSlider, -1) << "no drag begins";

    m_picker.m_bRGB = false;
    m_picker.SetColor(255, 0, 0);
    m_picker.SelectKeySlider(-2);
    EXPECT_TRUE(m_picker.StepKeySlider(1));
    EXPECT_EQ(m_picker.m_nHue, 1);
    EXPECT_EQ(m_picker.PackedColor(), PackColor(HsvToRgb({1, 255, 255})));
}
