#include "linux/editor/ColorPickerArea.h"

#include "linux/editor/BevelPainter.h"
#include "linux/editor/LogicalPixels.h"
#include "linux/editor/RampPainter.h"
#include "linux/editor/Signal.h"

namespace {

constexpr int Height = 56;

} // namespace

ColorPickerArea::ColorPickerArea(std::function<void(uint32_t)> picked)
    : m_picked(std::move(picked)), m_pArea(gtk_drawing_area_new()) {
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(m_pArea), Height);
    gtk_widget_set_hexpand(m_pArea, TRUE);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_pArea), Draw, this, nullptr);
    Connect<void, int, int>(m_pArea, "resize",
                            [this](int width, int) { m_model.Layout(width, LogicalDpi); });

    GtkGesture* drag = gtk_gesture_drag_new();
    Connect<void, double, double>(drag, "drag-begin", [this](double x, double y) {
        m_dDragX = x;
        m_dDragY = y;
        if (m_model.Press(ToPoint(x, y)))
            Picked();
    });
    Connect<void, double, double>(drag, "drag-update", [this](double dx, double dy) {
        if (m_model.Move(ToPoint(m_dDragX + dx, m_dDragY + dy)))
            Picked();
    });
    Connect<void, double, double>(drag, "drag-end", [this](double, double) { m_model.Release(); });
    gtk_widget_add_controller(m_pArea, GTK_EVENT_CONTROLLER(drag));

    gtk_widget_set_focusable(m_pArea, TRUE);
    gtk_widget_set_focus_on_click(m_pArea, TRUE);
    GtkEventController* keys = gtk_event_controller_key_new();
    Connect<gboolean, guint, guint, GdkModifierType>(
        keys, "key-pressed",
        [this](guint key, guint, GdkModifierType) -> gboolean { return OnKey(key); });
    gtk_widget_add_controller(m_pArea, keys);
    Connect<void, GParamSpec*>(m_pArea, "notify::has-focus",
                               [this](GParamSpec*) { gtk_widget_queue_draw(m_pArea); });
}

bool ColorPickerArea::OnKey(guint key) {
    switch (key) {
    case GDK_KEY_Up:
    case GDK_KEY_Down:
        m_model.SelectKeySlider(key == GDK_KEY_Up ? -1 : 1);
        gtk_widget_queue_draw(m_pArea);
        return true;
    case GDK_KEY_Left:
    case GDK_KEY_Right:
        if (m_model.StepKeySlider(key == GDK_KEY_Left ? -1 : 1))
            Picked();
        return true;
    default:
        return false;
    }
}

void ColorPickerArea::SetColor(int red, int green, int blue) {
    m_model.SetColor(red, green, blue);
    gtk_widget_queue_draw(m_pArea);
}

void ColorPickerArea::SetRGBMode(bool rgb) {
    m_model.m_bRGB = rgb;
    gtk_widget_queue_draw(m_pArea);
}

void ColorPickerArea::Picked() {
    gtk_widget_queue_draw(m_pArea);
    m_picked(m_model.PackedColor());
}

void ColorPickerArea::Draw(GtkDrawingArea*, cairo_t* cr, int, int, gpointer data) {
    auto& self = *static_cast<ColorPickerArea*>(data);
    const ColorPickerModel& model = self.m_model;
    for (int k = 0; k < ColorPickerModel::SliderCount; ++k) {
        PaletteEntry table[256];
        model.BarColors(k, table);
        const Rect bar = model.BarRect(k);
        PaintRamp(cr, table, bar);
        PaintBevel(cr, bar, Bevel::Raised);
    }
    for (int k = 0; k < ColorPickerModel::SliderCount; ++k) {
        const Rect thumb = model.ThumbRect(k, false);
        cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
        cairo_rectangle(cr, thumb.left, thumb.top, thumb.Width(), thumb.Height());
        cairo_fill(cr);
        PaintBevel(cr, thumb, Bevel::Raised);
    }
    if (gtk_widget_has_focus(self.m_pArea)) {
        // The row the arrow keys move, outlined as a focus mark.
        const Rect row = model.ThumbRect(model.KeySlider(), true);
        const double dash[] = {1.0, 1.0};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_rectangle(cr, row.left + 0.5, row.top - 0.5, row.Width() - 1, row.Height());
        cairo_stroke(cr);
    }
}
