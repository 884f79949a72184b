#include "linux/editor/ColorsPage.h"

#include "editor/ColorsEditor.h"
#include "editor/ColorsTexts.h"
#include "linux/editor/BevelPainter.h"
#include "linux/editor/ColormapNameDialog.h"
#include "linux/editor/ColormapStripArea.h"
#include "linux/editor/Question.h"
#include "linux/editor/Signal.h"
#include "settings/Colormap.h"

#include <string>
#include <utility>

namespace {

constexpr int ListStripWidth = 128;
constexpr int ListStripHeight = 16;

} // namespace

ColorsPage::ColorsPage(EditorContext context, ColorsEditor& colors,
                       std::function<GtkWindow*()> window)
    : m_context(std::move(context)), m_colors(colors), m_window(std::move(window)),
      m_editor(colors, [this](const ColorsUpdate& update) { Show(update); }),
      m_picker([this](uint32_t packed) { Show(m_colors.PickColor(packed)); }),
      m_pRoot(gtk_box_new(GTK_ORIENTATION_VERTICAL, 6)),
      m_pChoice(gtk_drop_down_new(nullptr, nullptr)),
      m_pNew(gtk_button_new_with_mnemonic(NewColormapCaption.gtk)),
      m_pDuplicate(gtk_button_new_with_mnemonic(DuplicateColormapCaption.gtk)),
      m_pRename(gtk_button_new_with_mnemonic(RenameColormapCaption.gtk)),
      m_pDelete(gtk_button_new_with_mnemonic(DeleteColormapCaption.gtk)),
      m_pStrip(NewColormapStrip([this] { return Shown(); }, 24)),
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
                return m_colors.Colormaps()[static_cast<size_t>(index)].get();
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
            const RgbColor c = static_cast<ColorsPage*>(data)->m_boxColor;
            cairo_set_source_rgb(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0);
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
    const bool rgb = m_colors.RgbMode();
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(rgb ? m_pRgb : m_pHsv), TRUE);
    m_picker.SetRGBMode(rgb);

    Connect<void, GParamSpec*>(m_pChoice, "notify::selected", [this](GParamSpec*) {
        if (!m_bFilling)
            OnColormapChosen();
    });
    Connect(m_pRgb, "toggled", [this] {
        if (!m_colors.SetRgbMode(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(m_pRgb))))
            return;
        m_picker.SetRGBMode(m_colors.RgbMode());
        m_context.changed();
    });
    Connect(m_pNew, "clicked",
            [this] { OnNewColormap(m_colors.BeginNewColormap(), NewColormapTitle); });
    Connect(m_pDuplicate, "clicked",
            [this] { OnNewColormap(m_colors.BeginDuplicateColormap(), DuplicateColormapTitle); });
    Connect(m_pRename, "clicked", [this] { OnRename(); });
    Connect(m_pDelete, "clicked", [this] { OnDelete(); });
}

ColorsPage::~ColorsPage() = default;

const Colormap* ColorsPage::Shown() const {
    return m_colors.Shown();
}

void ColorsPage::FillChoice() {
    m_bFilling = true;
    GtkStringList* names = gtk_string_list_new(nullptr);
    for (const auto& colormap : m_colors.Colormaps())
        gtk_string_list_append(names, colormap->m_strName.c_str());
    gtk_drop_down_set_model(GTK_DROP_DOWN(m_pChoice), G_LIST_MODEL(names));
    g_object_unref(names);
    m_bFilling = false;
    Select(m_colors.ChoiceRow());
    gtk_widget_set_sensitive(m_pDelete, m_colors.CanDeleteColormap());
}

void ColorsPage::Select(int row) {
    m_bFilling = true;
    gtk_drop_down_set_selected(GTK_DROP_DOWN(m_pChoice),
                               row >= 0 ? static_cast<guint>(row) : GTK_INVALID_LIST_POSITION);
    m_bFilling = false;
}

void ColorsPage::Refresh() {
    Select(m_colors.ChoiceRow());
    Show(m_colors.Refresh());
}

void ColorsPage::OnColormapChosen() {
    const guint selected = gtk_drop_down_get_selected(GTK_DROP_DOWN(m_pChoice));
    Show(m_colors.ChooseColormap(
        selected == GTK_INVALID_LIST_POSITION ? -1 : static_cast<int>(selected)));
}

void ColorsPage::Show(const ColorsUpdate& update) {
    if (!update.redraw)
        return;
    gtk_widget_queue_draw(m_pStrip);
    gtk_widget_queue_draw(m_pChoice);
    m_editor.Redraw();
    m_boxColor = m_colors.SelectedColor();
    if (update.movePicker)
        m_picker.SetColor(m_boxColor.red, m_boxColor.green, m_boxColor.blue);
    gtk_widget_queue_draw(m_pColorBox);
    if (update.edited)
        m_context.changed();
}

void ColorsPage::OnNewColormap(Colormap* pending, const char* title) {
    if (!pending)
        return;
    AskColormapName(m_window(), m_colors, *pending, title, ConfirmCreateCaption.gtk,
                    [this](bool confirmed) {
                        const ColorsUpdate update = m_colors.EndNewColormap(confirmed);
                        if (update.redraw)
                            FillChoice();
                        Show(update);
                    });
}

void ColorsPage::OnRename() {
    Colormap* shown = m_colors.Shown();
    if (!shown)
        return;
    AskColormapName(m_window(), m_colors, *shown, RenameColormapTitle, ConfirmRenameCaption.gtk,
                    [this](bool confirmed) {
                        if (!confirmed)
                            return;
                        FillChoice();
                        m_context.changed();
                    });
}

void ColorsPage::OnDelete() {
    const Colormap* doomed = m_colors.Shown();
    if (!doomed || !m_colors.CanDeleteColormap())
        return;
    GtkWidget* strip = NewColormapStrip([doomed] { return doomed; }, 24);
    AskQuestion(m_window(), DeleteColormapTitle, DeleteColormapQuestion(doomed->m_strName), strip,
                {{"_Delete", 1}, {"_Cancel", 0}}, 0, [this, doomed](int response) {
                    if (response != 1)
                        return;
                    const ColorsUpdate update = m_colors.DeleteColormap(doomed);
                    if (!update.redraw)
                        return;
                    FillChoice();
                    Show(update);
                });
}
