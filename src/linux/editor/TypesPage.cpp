#include "linux/editor/TypesPage.h"

#include "editor/SettingsEditor.h"
#include "linux/editor/Signal.h"
#include "settings/Preset.h"

#include <numbers>
#include <string>

namespace {

constexpr int IconSize = 18;

// On: a green disc with a tick; off: an empty ring; keep one: an amber disc with a "1". A state
// outside the three known ones (a hand-edited file) shows no icon, as on Windows.
void DrawStateIcon(GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer data) {
    const int state = GPOINTER_TO_INT(data);
    const double cx = width / 2.0, cy = height / 2.0, r = IconSize / 2.0 - 1.5;
    cairo_set_line_width(cr, 1.5);
    cairo_arc(cr, cx, cy, r, 0, 2 * std::numbers::pi);
    switch (state) {
    case TypeOn:
        cairo_set_source_rgb(cr, 0.18, 0.62, 0.25);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, cx - 4, cy);
        cairo_line_to(cr, cx - 1, cy + 3);
        cairo_line_to(cr, cx + 4, cy - 3.5);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        break;
    case TypeOff:
        cairo_set_source_rgb(cr, 0.55, 0.55, 0.55);
        cairo_stroke(cr);
        break;
    case TypeKeepOne:
        cairo_set_source_rgb(cr, 0.9, 0.6, 0.1);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, cx - 1.5, cy - 3);
        cairo_line_to(cr, cx + 0.5, cy - 4.5);
        cairo_line_to(cr, cx + 0.5, cy + 4.5);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        break;
    default:
        cairo_new_path(cr);
        break;
    }
}

const char* StateName(int state) {
    switch (state) {
    case TypeOn:
        return "on";
    case TypeOff:
        return "off";
    case TypeKeepOne:
        return "keeps exactly one";
    default:
        return "unknown state";
    }
}

} // namespace

TypesPage::TypesPage(EditorContext context)
    : m_context(std::move(context)), m_pRoot(gtk_box_new(GTK_ORIENTATION_VERTICAL, 8)),
      m_pAll(gtk_button_new_with_mnemonic("All _on")),
      m_pNone(gtk_button_new_with_mnemonic("_None")) {
    gtk_widget_set_margin_start(m_pRoot, 10);
    gtk_widget_set_margin_end(m_pRoot, 10);
    gtk_widget_set_margin_top(m_pRoot, 10);
    gtk_widget_set_margin_bottom(m_pRoot, 10);

    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_column_homogeneous(GTK_GRID(grid), TRUE);
    constexpr int Rows = 5;
    for (int i = 0; i < WormTypeCount; ++i) {
        GtkWidget* content = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
        m_apIcons[i] = gtk_drawing_area_new();
        gtk_drawing_area_set_content_width(GTK_DRAWING_AREA(m_apIcons[i]), IconSize);
        gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(m_apIcons[i]), IconSize);
        gtk_box_append(GTK_BOX(content), m_apIcons[i]);
        GtkWidget* label = gtk_label_new(g_aWormTypes[i].displayName);
        gtk_box_append(GTK_BOX(content), label);
        m_apRows[i] = gtk_button_new();
        gtk_button_set_child(GTK_BUTTON(m_apRows[i]), content);
        gtk_button_set_has_frame(GTK_BUTTON(m_apRows[i]), FALSE);
        gtk_grid_attach(GTK_GRID(grid), m_apRows[i], i / Rows, i % Rows, 1, 1);
        Connect(m_apRows[i], "clicked", [this, i] {
            m_context.editor.ClickType(i);
            Refresh();
            m_context.changed();
        });
    }
    gtk_box_append(GTK_BOX(m_pRoot), grid);

    GtkWidget* buttons = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 24);
    gtk_widget_set_halign(buttons, GTK_ALIGN_CENTER);
    gtk_widget_set_vexpand(buttons, TRUE);
    gtk_widget_set_valign(buttons, GTK_ALIGN_END);
    gtk_box_append(GTK_BOX(buttons), m_pAll);
    gtk_box_append(GTK_BOX(buttons), m_pNone);
    gtk_box_append(GTK_BOX(m_pRoot), buttons);
    Connect(m_pAll, "clicked", [this] { SetAll(TypeOn); });
    Connect(m_pNone, "clicked", [this] { SetAll(TypeOff); });
}

void TypesPage::SetAll(int state) {
    m_context.editor.SetAllTypes(state);
    Refresh();
    m_context.changed();
}

void TypesPage::Refresh() {
    for (int i = 0; i < WormTypeCount; ++i)
        Show(i, m_context.editor.TypeState(i));
}

void TypesPage::Show(int type, int state) {
    m_anShown[type] = state;
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_apIcons[type]), DrawStateIcon,
                                   GINT_TO_POINTER(state), nullptr);
    const std::string tip = std::string(g_aWormTypes[type].displayName) + ": " + StateName(state) +
                            " (click for the next state)";
    gtk_widget_set_tooltip_text(m_apRows[type], tip.c_str());
}
