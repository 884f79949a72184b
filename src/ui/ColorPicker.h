#pragma once

#include "editor/ColorPickerModel.h"
#include "framework/BackBuffer.h"
#include "framework/MemoryDc.h"
#include "framework/Window.h"

// Three slider bars editing a colour as red, green and blue or as hue, saturation and value, each
// bar showing the colours its slider would give; Up and Down choose a slider for Left and Right
// to move. Every slider change is posted to the parent as UM_COLOR_PICKED with the colour.
class ColorPicker : public Window {
public:
    ColorPicker() = default;

    // Shows a colour; notifies no one.
    void SetColor(int red, int green, int blue);
    void SetRGBMode(bool rgb);
    const ColorPickerModel& Model() const { return m_model; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The geometry is fixed by the placeholder's size, so clicks work before the first paint.
    void OnSubclassed() override;

private:
    void OnPaint();
    void Notify();
    void OnKey(WPARAM key);

    ColorPickerModel m_model;
    BackBuffer m_backBuffer;
    RECT m_client = {};
    MemoryDc m_ramp;
};
