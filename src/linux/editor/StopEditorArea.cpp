#include "linux/editor/StopEditorArea.h"

#include "linux/editor/BevelPainter.h"
#include "linux/editor/LogicalPixels.h"
#include "linux/editor/Signal.h"
#include "settings/Colormap.h"

#include <algorithm>

namespace {

constexpr int Height = 24;

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

    gtk_widget_set_focusable(m_pArea, TRUE);
    gtk_widget_set_focus_on_click(m_pArea, TRUE);
    GtkEventController* keys = gtk_event_controller_key_new();
    Connect<gboolean, guint, guint, GdkModifierType>(
        keys, "key-pressed",
        [this](guint key, guint, GdkModifierType state) -> gboolean { return OnKey(key, state); });
    gtk_widget_add_controller(m_pArea, keys);
    Connect<void, GParamSpec*>(m_pArea, "notify::has-focus",
                               [this](GParamSpec*) { gtk_widget_queue_draw(m_pArea); });
}

int StopEditorArea::StopCount() const {
    return m_model.m_pColormap ? static_cast<int>(m_model.m_pColormap->m_aStops.size()) : 0;
}

bool StopEditorArea::OnKey(guint key, GdkModifierType state) {
    const int count = StopCount();
    int& selected = m_model.m_nSelected;
    if (count == 0 || selected < 0 || selected >= count)
        return false;
    const int step = key == GDK_KEY_Left ? -1 : key == GDK_KEY_Right ? 1 : 0;
    if (step != 0 && (state & GDK_SHIFT_MASK)) {
        // The colormap's own move, which re-sorts and keeps the index on the stop, as a drag does.
        const int position = m_model.m_pColormap->m_aStops[static_cast<size_t>(selected)].position;
        m_model.m_pColormap->MoveStop(selected, std::clamp(position + step, 0, 255));
        m_notify(StopDragged);
        m_edited();
    } else if (step != 0) {
        selected = std::clamp(selected + step, 0, count - 1);
        m_notify(StopSelected);
    } else if (key == GDK_KEY_Delete || key == GDK_KEY_Insert) {
        // A double click on the stop's box removes it; one on the groove after it adds a stop.
        const Rect box = m_model.StopRect(selected);
        Point p{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        if (key == GDK_KEY_Insert) {
            const int next =
                selected + 1 < count
                    ? m_model.PosToX(
                          m_model.m_pColormap->m_aStops[static_cast<size_t>(selected + 1)].position)
                    : m_model.GrooveRect().right;
            p.x = (p.x + next) / 2;
            // No room between two boxes: a double click there would remove one.
            for (int i = 0; i < count; ++i)
                if (RectContains(m_model.StopRect(i), p))
                    return true;
        }
        if (!m_model.DoubleClick(p))
            return true;
        m_notify(StopSelected);
        m_edited();
    } else {
        return false;
    }
    gtk_widget_queue_draw(m_pArea);
    return true;
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
    if (gtk_widget_has_focus(self.m_pArea) && model.m_nSelected >= 0 &&
        model.m_nSelected < static_cast<int>(colormap->m_aStops.size())) {
        // The stop the keys act on, marked under its box.
        const Rect box = model.StopFrame(model.m_nSelected);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_rectangle(cr, box.left, box.bottom + 1, box.Width(), 1);
        cairo_fill(cr);
    }
}
