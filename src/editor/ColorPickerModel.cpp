#include "editor/ColorPickerModel.h"

#include <algorithm>

namespace {

// Per slider, at 96 DPI: where its bar image starts and where its row starts.
constexpr int BarTop[ColorPickerModel::SliderCount] = {8, 26, 44};
constexpr int RowTop[ColorPickerModel::SliderCount] = {0, 18, 36};

// One lookup for both the const reading and the writing of a slider's field.
template <class Model> auto& FieldOf(Model& model, int slider) {
    if (model.m_bRGB)
        return slider == 0 ? model.m_nRed : slider == 1 ? model.m_nGreen : model.m_nBlue;
    return slider == 0 ? model.m_nHue : slider == 1 ? model.m_nSaturation : model.m_nValue;
}

PaletteEntry ToEntry(RgbColor rgb) {
    return {static_cast<uint8_t>(rgb.blue), static_cast<uint8_t>(rgb.green),
            static_cast<uint8_t>(rgb.red), 0};
}

} // namespace

void ColorPickerModel::Layout(int clientWidth, int dpi) {
    m_nClientWidth = clientWidth;
    m_nDpi = dpi;
    m_nSliderWidth = clientWidth - Scaled(28);
}

void ColorPickerModel::SetColor(int red, int green, int blue) {
    m_nRed = red;
    m_nGreen = green;
    m_nBlue = blue;
    HsvColor hsv = RgbToHsv({red, green, blue});
    m_nHue = hsv.hue;
    m_nSaturation = hsv.saturation;
    m_nValue = hsv.value;
}

Rect ColorPickerModel::ThumbRect(int slider, bool wholeRow) const {
    int y0 = RowTop[slider];
    int top = Scaled(y0 + 4);
    if (wholeRow)
        return {0, top, m_nClientWidth, Scaled(y0 + 18)};
    int left = SliderValue(slider) * m_nSliderWidth / SliderMaximum(slider) + Scaled(10);
    return {left, top, left + Scaled(8), top + Scaled(14)};
}

Rect ColorPickerModel::BarRect(int slider) const {
    int left = Scaled(14);
    int top = Scaled(BarTop[slider]);
    return {left, top, left + m_nSliderWidth, top + Scaled(6)};
}

bool ColorPickerModel::Press(Point p) {
    for (int k = 0; k < SliderCount; ++k) {
        if (RectContains(ThumbRect(k, true), p)) {
            m_nActiveSlider = k;
            Move(p);
            return true;
        }
    }
    return false;
}

bool ColorPickerModel::Move(Point p) {
    if (m_nActiveSlider < 0)
        return false;
    SetFromPointer(m_nActiveSlider, p.x);
    return true;
}

void ColorPickerModel::SetFromPointer(int slider, int x) {
    int maximum = SliderMaximum(slider);
    // Before the first layout, or in a client narrower than the margins, there is no bar.
    int value = m_nSliderWidth > 0 ? maximum * (x - Scaled(14)) / m_nSliderWidth : 0;
    SliderField(slider) = std::clamp(value, 0, maximum);
    if (m_bRGB) {
        SetColor(m_nRed, m_nGreen, m_nBlue);
    } else {
        RgbColor rgb = HsvToRgb({m_nHue, m_nSaturation, m_nValue});
        m_nRed = rgb.red;
        m_nGreen = rgb.green;
        m_nBlue = rgb.blue;
    }
}

bool ColorPickerModel::Release() {
    if (m_nActiveSlider < 0)
        return false;
    m_nActiveSlider = -1;
    return true;
}

void ColorPickerModel::SelectKeySlider(int step) {
    m_nKeySlider = std::clamp(m_nKeySlider + step, 0, SliderCount - 1);
}

bool ColorPickerModel::StepKeySlider(int direction) {
    const int k = m_nKeySlider;
    const int before = SliderValue(k);
    const Rect thumb = ThumbRect(k, false);
    // Pixel by pixel from the thumb's middle, as far as the bar reaches, while the client holds
    // the pointer: on a bar wider than the range several pixels give one value.
    int x = (thumb.left + thumb.right) / 2;
    for (int i = 0; i < m_nSliderWidth + 2 && SliderValue(k) == before; ++i) {
        x += direction;
        if (x >= 0 && x < m_nClientWidth)
            SetFromPointer(k, x);
    }
    return SliderValue(k) != before;
}

uint32_t ColorPickerModel::PackedColor() const {
    return PackColor({m_nRed, m_nGreen, m_nBlue});
}

void ColorPickerModel::BarColors(int slider, PaletteEntry table[256]) const {
    for (int i = 0; i < 256; ++i) {
        RgbColor rgb;
        if (m_bRGB) {
            rgb = {slider == 0 ? i : m_nRed, slider == 1 ? i : m_nGreen, slider == 2 ? i : m_nBlue};
        } else if (slider == 0) {
            // The last entry reaches hue 360, one past the slider's range.
            rgb = HsvToRgb({360 * i / 255, 255, 255});
        } else if (slider == 1) {
            rgb = HsvToRgb({m_nHue, i, 255});
        } else {
            rgb = HsvToRgb({m_nHue, m_nSaturation, i});
        }
        table[i] = ToEntry(rgb);
    }
}

int ColorPickerModel::SliderValue(int slider) const {
    return FieldOf(*this, slider);
}

int ColorPickerModel::SliderMaximum(int slider) const {
    return !m_bRGB && slider == 0 ? 359 : 255;
}

int ColorPickerModel::Scaled(int pixels96) const {
    return ScaleForDpi(pixels96, m_nDpi);
}

int& ColorPickerModel::SliderField(int slider) {
    return FieldOf(*this, slider);
}
