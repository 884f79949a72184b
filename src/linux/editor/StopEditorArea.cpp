#include "linux/editor/StopEditorArea.h"

#include "linux/editor/BevelPainter.h"
#include "linux/editor/Signal.h"
#include "settings/Colormap.h"

#include <cmath>

namespace {

// The model's figures are 96-DPI pixels, which are GTK's logical pixels: GTK scales them.
constexpr int LogicalDpi = 96;
constexpr int Height = 24;

Point ToPoint(double x, double y) {
    return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
}

} // namespace

StopEditorArea::StopEditorArea(std::function<void(Change)> notify, std::function<void()> edited)
    : m_notify(std::move(notify)), m_edited(std::move(edited)), m_pArea(gtk_drawing_area_new()) {
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(m_pArea), Height);
    gtk_widget_set_hexpand(m_pArea, TRUE);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_pArea), Draw, this, nullptr);
    Connect<void, int, int>(m_pArea, "resize",
                            [this](int width, int) { m_model.Layout(width, LogicalDpi); });

    GtkGesture* drag = gtk_gesture_drag_new();
    Connect<void, double, double>(drag, "drag-begin", [this](double x, double y) {
        m_dDragX = x;
        m_dDragY = y;
        if (int hits = m_model.Press(ToPoint(x, y))) {
            gtk_widget_queue_draw(m_pArea);
            for (int i = 0; i < hits; ++i)
                m_notify(StopSelected);
        }
    });
    Connect<void, double, double>(drag, "drag-update", [this](double dx, double dy) {
        if (m_model.Move(ToPoint(m_dDragX + dx, m_dDragY + dy))) {
            m_notify(StopDragged);
            m_edited();
        }
    });
    Connect<void, double, double>(drag, "drag-end", [this](double, double) {
        if (m_model.Release())
            gtk_widget_queue_draw(m_pArea);
    });
    gtk_widget_add_controller(m_pArea, GTK_EVENT_CONTROLLER(drag));

    GtkGesture* click = gtk_gesture_click_new();
    Connect<void, int, double, double>(click, "pressed", [this](int presses, double x, double y) {
        if (presses == 2 && m_model.DoubleClick(ToPoint(x, y))) {
            gtk_widget_queue_draw(m_pArea);
            m_notify(StopSelected);
            m_edited();
        }
    });
    gtk_widget_add_controller(m_pArea, GTK_EVENT_CONTROLLER(click));
}

void StopEditorArea::SetColormap(Colormap* colormap) {
    m_model.m_pColormap = colormap;
    gtk_widget_queue_draw(m_pArea);
}

void StopEditorArea::Draw(GtkDrawingArea*, cairo_t* cr, int, int, gpointer data) {
    auto& self = *static_cast<StopEditorArea*>(data);
    const StopEditorModel& model = self.m_model;
    PaintBevel(cr, model.GrooveRect(), Bevel::Sunken);
    const Colormap* colormap = model.m_pColormap;
    if (!colormap)
        return;
    for (int i = 0; i < static_cast<int>(colormap->m_aStops.size()); ++i) {
        const ColorTriple& c = colormap->m_aStops[static_cast<size_t>(i)].colour;
        const Rect box = model.StopRect(i);
        cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
        cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
        cairo_fill(cr);
        PaintBevel(cr, model.StopFrame(i), i == model.m_nSelected ? Bevel::Sunken : Bevel::Raised);
        const int x = model.PosToX(colormap->m_aStops[static_cast<size_t>(i)].position);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, model.TickBottom());
        cairo_stroke(cr);
    }
}
