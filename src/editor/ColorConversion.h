#pragma once

#include <cstdint>

struct RgbColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColor&) const = default;
};

// Hue in degrees 0..359, or -1 where it is undefined (greys and black); saturation and value
// 0..255.
struct HsvColor {
    int hue = -1;
    int saturation = 0;
    int value = 0;
    bool operator==(const HsvColor&) const = default;
};

// Integer conversions through doubles, truncating toward zero on the way back, so that some
// values lose a step on a round trip; the colours stored in a colormap depend on exactly this.
HsvColor RgbToHsv(RgbColor rgb);
RgbColor HsvToRgb(HsvColor hsv);

// 0x00BBGGRR, red in the low byte; each channel is taken as its low 8 bits.
uint32_t PackColor(RgbColor rgb);
RgbColor UnpackColor(uint32_t packed);
