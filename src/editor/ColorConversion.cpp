#include "editor/ColorConversion.h"

#include <algorithm>
#include <cmath>

namespace {

// Multiplying by these nearest doubles rounds differently from dividing by 255 and 60, and the
// colours stored in colormaps depend on exactly these results.
constexpr double OneOver255 = 0.00392156862745098;
constexpr double OneOver60 = 0.016666666666666666;

int Truncate(double x) {
    return static_cast<int>(x);
}

int To255(double x) {
    return Truncate(x * 255.0);
}

struct RealRgb {
    double r, g, b;
};

RealRgb RealHsvToRgb(double h, double s, double v) {
    if (s == 0.0)
        return {v, v, v};
    double sextant = h * OneOver60;
    int i = static_cast<int>(std::floor(sextant));
    double f = sextant - i;
    double p = v * (1.0 - s);
    double q = v * (1.0 - f * s);
    double t = v * (1.0 - (1.0 - f) * s);
    switch (i) {
    case 0:
        return {v, t, p};
    case 1:
        return {q, v, p};
    case 2:
        return {p, v, t};
    case 3:
        return {p, q, v};
    case 4:
        return {t, p, v};
    default: // 5, and also 6 from hue 360 and -1 from an undefined hue
        return {v, p, q};
    }
}

} // namespace

HsvColor RgbToHsv(RgbColor rgb) {
    double r = rgb.red * OneOver255;
    double g = rgb.green * OneOver255;
    double b = rgb.blue * OneOver255;
    double max = std::max({r, g, b});
    double min = std::min({r, g, b});
    double v = max;
    if (max == 0.0)
        return {-1, 0, To255(v)};
    double delta = max - min;
    double s = delta / max;
    if (delta == 0.0)
        return {-1, To255(s), To255(v)};
    double h;
    if (r == max)
        h = (g - b) / delta;
    else if (g == max)
        h = 2.0 + (b - r) / delta;
    else
        h = 4.0 + (r - g) / delta;
    h *= 60.0;
    if (h < 0.0)
        h += 360.0;
    return {Truncate(h), To255(s), To255(v)};
}

RgbColor HsvToRgb(HsvColor hsv) {
    RealRgb rgb = RealHsvToRgb(hsv.hue, hsv.saturation * OneOver255, hsv.value * OneOver255);
    return {To255(rgb.r), To255(rgb.g), To255(rgb.b)};
}

uint32_t PackColor(RgbColor rgb) {
    return static_cast<uint32_t>(rgb.red & 0xFF) | static_cast<uint32_t>(rgb.green & 0xFF) << 8 |
           static_cast<uint32_t>(rgb.blue & 0xFF) << 16;
}

RgbColor UnpackColor(uint32_t packed) {
    return {static_cast<int>(packed & 0xFF), static_cast<int>((packed >> 8) & 0xFF),
            static_cast<int>((packed >> 16) & 0xFF)};
}
