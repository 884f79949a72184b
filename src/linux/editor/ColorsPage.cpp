#include "linux/editor/ColorsPage.h"

#include "editor/ColormapEdits.h"
#include "linux/editor/BevelPainter.h"
#include "linux/editor/ColormapNameDialog.h"
#include "linux/editor/ColormapStripArea.h"
#include "linux/editor/Preview.h"
#include "linux/editor/Question.h"
#include "linux/editor/Signal.h"
#include "settings/Settings.h"

#include <string>
#include <utility>

namespace {

constexpr int ListStripWidth = 128;
constexpr int ListStripHeight = 16;

} // namespace

ColorsPage::ColorsPage(EditorContext context, std::function<GtkWindow*()> window)
    : m_context(std::move(context)), m_window(std::move(window)),
      m_editor(
          [this](StopEditorArea::Change change) {
              Update(change == StopEditorArea::StopSelected ? StopSelected : StopDragged);
          },
          [this] { m_context.changed(); }),
      m_picker([this](uint32_t packed) {
          Update(ColorPicked, packed);
          m_context.changed();
      }),
      m_pRoot(gtk_box_new(GTK_ORIENTATION_VERTICAL, 6)),
      m_pChoice(gtk_drop_down_new(nullptr, nullptr)), m_pNew(gtk_button_new_with_mnemonic("_New…")),
      m_pDuplicate(gtk_button_new_with_mnemonic("D_uplicate…")),
      m_pRename(gtk_button_new_with_mnemonic("_Rename…")),
      m_pDelete(gtk_button_new_with_mnemonic("D_elete…")),
      m_pStrip(NewColormapStrip([this] { return m_pShown; }, 24)),
      m_pColorBox(gtk_drawing_area_new()), m_pRgb(gtk_toggle_button_new_with_mnemonic("RG_B")),
      m_pHsv(gtk_toggle_button_new_with_mnemonic("_HSV")) {
    gtk_widget_set_margin_start(m_pRoot, 10);
    gtk_widget_set_margin_end(m_pRoot, 10);
    gtk_widget_set_margin_top(m_pRoot, 10);
    gtk_widget_set_margin_bottom(m_pRoot, 10);

    // The list shows each colormap's strip beside its name; the chosen one shows its name.
    GtkListItemFactory* rows = gtk_signal_list_item_factory_new();
    Connect<void, GtkListItem*>(rows, "setup", [this](GtkListItem* item) {
        GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
        GtkWidget* name = gtk_label_new("");
        gtk_label_set_xalign(GTK_LABEL(name), 0.0f);
        gtk_widget_set_hexpand(name, TRUE);
        gtk_box_append(GTK_BOX(row), name);
        GtkWidget* strip = NewColormapStrip(
            [this, row] {
                const auto index = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(row), "index"));
                return m_context.settings.GetColormap(index);
            },
            ListStripHeight);
        gtk_widget_set_size_request(strip, ListStripWidth, ListStripHeight);
        gtk_widget_set_hexpand(strip, FALSE);
        gtk_widget_set_valign(strip, GTK_ALIGN_CENTER);
        gtk_box_append(GTK_BOX(row), strip);
        gtk_list_item_set_child(item, row);
    });
    Connect<void, GtkListItem*>(rows, "bind", [](GtkListItem* item) {
        GtkWidget* row = gtk_list_item_get_child(item);
        const auto position = static_cast<int>(gtk_list_item_get_position(item));
        g_object_set_data(G_OBJECT(row), "index", GINT_TO_POINTER(position));
        auto* text = GTK_STRING_OBJECT(gtk_list_item_get_item(item));
        gtk_label_set_text(GTK_LABEL(gtk_widget_get_first_child(row)),
                           gtk_string_object_get_string(text));
        gtk_widget_queue_draw(gtk_widget_get_last_child(row));
    });
    gtk_drop_down_set_list_factory(GTK_DROP_DOWN(m_pChoice), rows);
    g_object_unref(rows);
    gtk_widget_set_hexpand(m_pChoice, TRUE);

    GtkWidget* choiceRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    GtkWidget* label = gtk_label_new_with_mnemonic("Colorma_p");
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), m_pChoice);
    gtk_box_append(GTK_BOX(choiceRow), label);
    gtk_box_append(GTK_BOX(choiceRow), m_pChoice);
    gtk_box_append(GTK_BOX(m_pRoot), choiceRow);

    GtkWidget* library = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    for (GtkWidget* button : {m_pNew, m_pDuplicate, m_pRename, m_pDelete})
        gtk_box_append(GTK_BOX(library), button);
    gtk_box_append(GTK_BOX(m_pRoot), library);

    gtk_box_append(GTK_BOX(m_pRoot), m_pStrip);
    gtk_box_append(GTK_BOX(m_pRoot), m_editor.Widget());

    GtkWidget* colourRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_box_append(GTK_BOX(colourRow), m_picker.Widget());
    GtkWidget* side = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
    gtk_drawing_area_set_content_width(GTK_DRAWING_AREA(m_pColorBox), 60);
    gtk_drawing_area_set_content_height(GTK_DRAWING_AREA(m_pColorBox), 36);
    gtk_drawing_area_set_draw_func(
        GTK_DRAWING_AREA(m_pColorBox),
        [](GtkDrawingArea*, cairo_t* cr, int width, int height, gpointer data) {
            const uint32_t c = static_cast<ColorsPage*>(data)->m_nBoxColor;
            cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0,
                                 ((c >> 16) & 0xFF) / 255.0);
            cairo_paint(cr);
            PaintBevel(cr, Rect{0, 0, width, height}, Bevel::Sunken);
        },
        this, nullptr);
    gtk_box_append(GTK_BOX(side), m_pColorBox);
    GtkWidget* modes = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_widget_add_css_class(modes, "linked");
    gtk_toggle_button_set_group(GTK_TOGGLE_BUTTON(m_pHsv), GTK_TOGGLE_BUTTON(m_pRgb));
    gtk_box_append(GTK_BOX(modes), m_pRgb);
    gtk_box_append(GTK_BOX(modes), m_pHsv);
    gtk_box_append(GTK_BOX(side), modes);
    gtk_box_append(GTK_BOX(colourRow), side);
    gtk_box_append(GTK_BOX(m_pRoot), colourRow);

    FillChoice();
    const bool rgb = m_context.settings.RGB;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(rgb ? m_pRgb : m_pHsv), TRUE);
    m_picker.SetRGBMode(rgb);

    Connect<void, GParamSpec*>(m_pChoice, "notify::selected", [this](GParamSpec*) {
        if (!m_bFilling)
            OnColormapChosen();
    });
    Connect(m_pRgb, "toggled", [this] {
        const bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(m_pRgb));
        if (on == m_context.settings.RGB)
            return;
        m_context.settings.RGB = on;
        m_picker.SetRGBMode(on);
        m_context.changed();
    });
    Connect(m_pNew, "clicked", [this] { OnNewColormap(MakeNewColormap(), "Create new colormap"); });
    Connect(m_pDuplicate, "clicked", [this] {
        if (m_pShown)
            OnNewColormap(DuplicateColormap(*m_pShown), "Create duplicate colormap");
    });
    Connect(m_pRename, "clicked", [this] { OnRename(); });
    Connect(m_pDelete, "clicked", [this] { OnDelete(); });
}

ColorsPage::~ColorsPage() = default;

void ColorsPage::FillChoice() {
    m_bFilling = true;
    GtkStringList* names = gtk_string_list_new(nullptr);
    for (const auto& colormap : m_context.settings.m_apColormaps)
        gtk_string_list_append(names, colormap->m_strName.c_str());
    gtk_drop_down_set_model(GTK_DROP_DOWN(m_pChoice), G_LIST_MODEL(names));
    g_object_unref(names);
    m_bFilling = false;
    UpdateButtons();
}

void ColorsPage::Select(int index) {
    m_bFilling = true;
    const auto count = static_cast<int>(m_context.settings.m_apColormaps.size());
    // A stored index outside the library leaves the choice empty, showing colormap 0.
    gtk_drop_down_set_selected(GTK_DROP_DOWN(m_pChoice), index >= 0 && index < count
                                                             ? static_cast<guint>(index)
                                                             : GTK_INVALID_LIST_POSITION);
    m_bFilling = false;
}

void ColorsPage::UpdateButtons() {
    gtk_widget_set_sensitive(m_pDelete, CanDeleteColormap(m_context.settings));
}

void ColorsPage::Refresh() {
    const int index = m_context.settings.m_pCurrentPreset->Colormap;
    Select(index);
    m_pShown = m_context.settings.GetColormap(index);
    if (!m_pShown)
        return;
    const int selected = m_editor.SelectedStop();
    if (selected < 0 || selected >= static_cast<int>(m_pShown->m_aStops.size()))
        m_editor.SelectStop(0);
    Update(PresetShown);
}

void ColorsPage::OnColormapChosen() {
    const guint selected = gtk_drop_down_get_selected(GTK_DROP_DOWN(m_pChoice));
    if (selected == GTK_INVALID_LIST_POSITION)
        return;
    const int index = static_cast<int>(selected);
    {
        auto lock = m_context.preview.LockRender();
        m_context.settings.m_pCurrentPreset->Colormap = index;
    }
    m_pShown = m_context.settings.GetColormap(index);
    m_editor.SelectStop(0);
    Update(ColormapChosen);
    m_context.changed();
}

void ColorsPage::Update(Change change, uint32_t value) {
    if (!m_pShown)
        return;
    const int selected = m_editor.SelectedStop();
    const bool hasStop = selected >= 0 && selected < static_cast<int>(m_pShown->m_aStops.size());
    if (change == ColorPicked && hasStop)
        m_pShown->SetStopColor(selected, value);
    gtk_widget_queue_draw(m_pStrip);
    gtk_widget_queue_draw(m_pChoice);
    m_editor.SetColormap(m_pShown);
    m_context.preview.SetColormap(*m_pShown);
    const uint32_t colour = m_editor.GetSelectedColor();
    if (change == PresetShown || change == StopSelected || change == ColormapChosen)
        m_picker.SetColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    m_nBoxColor = colour;
    gtk_widget_queue_draw(m_pColorBox);
}

void ColorsPage::OnNewColormap(std::unique_ptr<Colormap> colormap, const char* title) {
    if (m_pPending)
        return;
    m_pPending = std::move(colormap);
    AskColormapName(m_window(), *m_pPending, title, "C_reate", [this](bool confirmed) {
        std::unique_ptr<Colormap> colormap = std::move(m_pPending);
        if (!confirmed)
            return;
        const int index = m_context.settings.AddColormap(std::move(colormap));
        FillChoice();
        Select(index);
        OnColormapChosen();
    });
}

void ColorsPage::OnRename() {
    if (!m_pShown)
        return;
    AskColormapName(m_window(), *m_pShown, "Rename colormap", "_Rename", [this](bool confirmed) {
        if (!confirmed)
            return;
        const guint selection = gtk_drop_down_get_selected(GTK_DROP_DOWN(m_pChoice));
        FillChoice();
        m_bFilling = true;
        gtk_drop_down_set_selected(GTK_DROP_DOWN(m_pChoice), selection);
        m_bFilling = false;
        m_context.changed();
    });
}

void ColorsPage::OnDelete() {
    if (!m_pShown || !CanDeleteColormap(m_context.settings))
        return;
    Colormap* doomed = m_pShown;
    GtkWidget* strip = NewColormapStrip([doomed] { return doomed; }, 24);
    AskQuestion(m_window(), "Really delete?", "Delete colormap \"" + doomed->m_strName + "\"?",
                strip, {{"_Delete", 1}, {"_Cancel", 0}}, 0, [this, doomed](int response) {
                    if (response != 1 || doomed != m_pShown)
                        return;
                    // The shown colormap's own index: the choice has no selection while the
                    // preset's stored index lies outside the library.
                    int index = 0;
                    while (m_context.settings.m_apColormaps[static_cast<size_t>(index)].get() !=
                           m_pShown)
                        ++index;
                    m_pShown = nullptr;
                    {
                        auto lock = m_context.preview.LockRender();
                        m_context.settings.DeleteColormap(index);
                    }
                    FillChoice();
                    Select(0);
                    OnColormapChosen();
                });
}
