#pragma once

#include "editor/ColorConversion.h"
#include "editor/DialogGeometry.h"
#include "settings/Colormap.h"

#include <cstdint>

// The colour picker's state and rules: three slider bars editing red, green and blue, or hue,
// saturation and value, both representations kept and the other recomputed after every change.
// Pixel figures are designed at 96 DPI and scaled to the DPI given to Layout.
class ColorPickerModel {
public:
    static constexpr int SliderCount = 3;

    // Fixes the geometry for a client area of this width; the window calls it at its first
    // paint. The slider width is the client width less 28 pixels (at 96 DPI).
    void Layout(int clientWidth, int dpi = 96);

    // Shows a colour without notifying anyone.
    void SetColor(int red, int green, int blue);

    // The slider's whole row (the client width) or its thumb.
    Rect ThumbRect(int slider, bool wholeRow) const;
    // Where slider k's bar image goes: x 14, its bar top, slider width x 6 (at 96 DPI).
    Rect BarRect(int slider) const;

    // A press on a row makes that slider active and moves its thumb to the pointer at once.
    // Returns whether a slider took it (then capture the mouse and notify).
    bool Press(Point p);
    // While a slider is active: sets its value from the pointer, limited to its range, and
    // recomputes the other representation. Returns whether the colour must be posted.
    bool Move(Point p);
    // Returns whether a drag ended (then release the capture).
    bool Release();

    // The slider the arrow keys edit, marked while the picker has the focus.
    int KeySlider() const { return m_nKeySlider; }
    // Up and Down: the slider above or below takes the keys, staying within the three.
    void SelectKeySlider(int step);
    // Left and Right: the key slider takes the next value a press could give on that side of its
    // thumb. Returns whether the value changed (then notify).
    bool StepKeySlider(int direction);

    uint32_t PackedColor() const;
    // The 256 colours that slider k's bar shows, for the current mode and the other two values.
    void BarColors(int slider, PaletteEntry table[256]) const;
    // The value and maximum slider k edits in the current mode.
    int SliderValue(int slider) const;
    int SliderMaximum(int slider) const;

    int m_nActiveSlider = -1;
    int m_nBlue = 0;
    int m_nGreen = 0;
    int m_nRed = 0;
    int m_nHue = 0;
    int m_nSaturation = 0;
    int m_nValue = 0;
    bool m_bRGB = false;
    int m_nSliderWidth = 0;

private:
    int Scaled(int pixels96) const;
    int& SliderField(int slider);
    // Sets the slider from a pointer at x, limited to its range, and recomputes the other
    // representation.
    void SetFromPointer(int slider, int x);
    int m_nClientWidth = 0;
    int m_nDpi = 96;
    int m_nKeySlider = 0;
};
