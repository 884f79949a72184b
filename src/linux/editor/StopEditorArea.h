#pragma once

#include "editor/DialogGeometry.h"

#include <gtk/gtk.h>

#include <functional>

class ColorsEditor;
struct ColorsUpdate;

// The stop editor drawn with cairo: the groove, a box and a tick per stop, the selected box sunk.
// Presses, drags, double clicks and keys go to the colours editor, whose rules decide everything;
// edited(update) runs after each. From the keyboard, Left and Right select a stop, with Shift they
// move it, Delete removes it and Insert adds one after it.
class StopEditorArea {
public:
    StopEditorArea(ColorsEditor& colors, std::function<void(const ColorsUpdate&)> edited);

    GtkWidget* Widget() const { return m_pArea; }
    void Redraw();
    int SelectedStop() const;
    void SelectStop(int stop);
    // Where the model puts a stop's box, for a test that presses on it.
    Rect StopRect(int stop) const;

private:
    static void Draw(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer self);
    bool OnKey(guint key, GdkModifierType state);
    void Edited(const ColorsUpdate& update);

    ColorsEditor& m_colors;
    std::function<void(const ColorsUpdate&)> m_edited;
    GtkWidget* m_pArea;
    double m_dDragX = 0;
    double m_dDragY = 0;
};
