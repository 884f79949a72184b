#pragma once

#include "editor/StopEditorModel.h"

#include <gtk/gtk.h>

#include <functional>

class Colormap;

// The stop editor drawn with cairo: the groove, a box and a tick per stop, the selected box sunk.
// Presses, drags and double clicks go to StopEditorModel, whose rules decide everything. From the
// keyboard, Left and Right select a stop, with Shift they move it, Delete removes it and Insert
// adds one after it, each as the pointer would.
class StopEditorArea {
public:
    enum Change { StopSelected, StopDragged };

    // notify runs once per selection or move the model reports; edited when stops changed.
    StopEditorArea(std::function<void(Change)> notify, std::function<void()> edited);

    GtkWidget* Widget() const { return m_pArea; }
    void SetColormap(Colormap* colormap);
    int SelectedStop() const { return m_model.m_nSelected; }
    void SelectStop(int stop) { m_model.m_nSelected = stop; }
    uint32_t GetSelectedColor() const { return m_model.GetSelectedColor(); }
    // Where the model puts a stop's box, for a test that presses on it.
    Rect StopRect(int stop) const { return m_model.StopRect(stop); }

private:
    static void Draw(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer self);
    bool OnKey(guint key, GdkModifierType state);
    int StopCount() const;

    StopEditorModel m_model;
    std::function<void(Change)> m_notify;
    std::function<void()> m_edited;
    GtkWidget* m_pArea;
    double m_dDragX = 0;
    double m_dDragY = 0;
};
