#pragma once

#include "editor/ColorPickerModel.h"

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>

// The colour picker drawn with cairo: three bars of the colours each slider would give, and a
// thumb on each. Presses and drags go to ColorPickerModel; picked(packed) runs for every change.
// From the keyboard, Up and Down choose a slider and Left and Right move its thumb.
class ColorPickerArea {
public:
    explicit ColorPickerArea(std::function<void(uint32_t)> picked);

    GtkWidget* Widget() const { return m_pArea; }
    // Shows a colour without telling anyone.
    void SetColor(int red, int green, int blue);
    void SetRGBMode(bool rgb);
    const ColorPickerModel& Model() const { return m_model; }

private:
    static void Draw(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer self);
    void Picked();
    bool OnKey(guint key);

    ColorPickerModel m_model;
    std::function<void(uint32_t)> m_picked;
    GtkWidget* m_pArea;
    double m_dDragX = 0;
    double m_dDragY = 0;
};
