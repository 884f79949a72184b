#include "linux/editor/StopEditorArea.h"

#include "editor/ColorsEditor.h"
#include "linux/editor/BevelPainter.h"
#include "linux/editor/LogicalPixels.h"
#include "linux/editor/Signal.h"
#include "settings/Colormap.h"

namespace {

constexpr int Height = 24;

} // namespace

StopEditorArea::StopEditorArea(ColorsEditor& colors,
                               std::function<void(const ColorsUpdate&)> edited)
    : m_colors(colors), m_edited(std::move(edited)), m_pArea(gtk_drawing_area_new()) {
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(m_pArea), Height);
    gtk_widget_set_hexpand(m_pArea, TRUE);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_pArea), Draw, this, nullptr);
    Connect<void, int, int>(m_pArea, "resize",
                            [this](int width, int) { m_colors.LayoutStops(width, LogicalDpi); });

    GtkGesture* drag = gtk_gesture_drag_new();
    Connect<void, double, double>(drag, "drag-begin", [this](double x, double y) {
        m_dDragX = x;
        m_dDragY = y;
        Edited(m_colors.PressStop(ToPoint(x, y)));
    });
    Connect<void, double, double>(drag, "drag-update", [this](double dx, double dy) {
        Edited(m_colors.DragStop(ToPoint(m_dDragX + dx, m_dDragY + dy)));
    });
    Connect<void, double, double>(drag, "drag-end", [this](double, double) {
        if (m_colors.ReleaseStop())
            Redraw();
    });
    gtk_widget_add_controller(m_pArea, GTK_EVENT_CONTROLLER(drag));

    GtkGesture* click = gtk_gesture_click_new();
    Connect<void, int, double, double>(click, "pressed", [this](int presses, double x, double y) {
        if (presses == 2)
            Edited(m_colors.DoubleClickStop(ToPoint(x, y)));
    });
    gtk_widget_add_controller(m_pArea, GTK_EVENT_CONTROLLER(click));

    gtk_widget_set_focusable(m_pArea, TRUE);
    gtk_widget_set_focus_on_click(m_pArea, TRUE);
    GtkEventController* keys = gtk_event_controller_key_new();
    Connect<gboolean, guint, guint, GdkModifierType>(
        keys, "key-pressed",
        [this](guint key, guint, GdkModifierType state) -> gboolean { return OnKey(key, state); });
    gtk_widget_add_controller(m_pArea, keys);
    Connect<void, GParamSpec*>(m_pArea, "notify::has-focus", [this](GParamSpec*) { Redraw(); });
}

void StopEditorArea::Redraw() {
    gtk_widget_queue_draw(m_pArea);
}

int StopEditorArea::SelectedStop() const {
    return m_colors.Stops().m_nSelected;
}

void StopEditorArea::SelectStop(int stop) {
    m_colors.SelectStop(stop);
    Redraw();
}

Rect StopEditorArea::StopRect(int stop) const {
    return m_colors.Stops().StopRect(stop);
}

void StopEditorArea::Edited(const ColorsUpdate& update) {
    if (!update.redraw)
        return;
    Redraw();
    m_edited(update);
}

bool StopEditorArea::OnKey(guint key, GdkModifierType state) {
    using Key = ColorsEditor::StopKey;
    if (!m_colors.TakesStopKeys())
        return false;
    const bool shift = (state & GDK_SHIFT_MASK) != 0;
    switch (key) {
    case GDK_KEY_Left:
        Edited(m_colors.PressStopKey(shift ? Key::MoveLeft : Key::SelectLeft));
        return true;
    case GDK_KEY_Right:
        Edited(m_colors.PressStopKey(shift ? Key::MoveRight : Key::SelectRight));
        return true;
    case GDK_KEY_Delete:
        Edited(m_colors.PressStopKey(Key::Remove));
        return true;
    case GDK_KEY_Insert:
        Edited(m_colors.PressStopKey(Key::Insert));
        return true;
    default:
        return false;
    }
}

void StopEditorArea::Draw(GtkDrawingArea*, cairo_t* cr, int, int, gpointer data) {
    auto& self = *static_cast<StopEditorArea*>(data);
    const StopEditorModel& model = self.m_colors.Stops();
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
    if (gtk_widget_has_focus(self.m_pArea) && model.HasSelection()) {
        // The stop the keys act on, marked under its box.
        const Rect box = model.StopFrame(model.m_nSelected);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_rectangle(cr, box.left, box.bottom + 1, box.Width(), 1);
        cairo_fill(cr);
    }
}
