#include "linux/editor/SimplePage.h"

#include "linux/editor/Signal.h"
#include "settings/Preset.h"

#include <string>

namespace {

GtkWidget* MnemonicLabel(const char* text, GtkWidget* target) {
    GtkWidget* label = gtk_label_new_with_mnemonic(text);
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), target);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    return label;
}

GtkWidget* Slider(SettingsEditor::Range range) {
    return gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, range.min, range.max, 1);
}

GtkWidget* CountSlider() {
    GtkWidget* scale = Slider(SettingsEditor::WormCountRange);
    gtk_scale_set_draw_value(GTK_SCALE(scale), FALSE);
    gtk_widget_set_hexpand(scale, TRUE);
    return scale;
}

int Position(GtkWidget* scale) {
    return static_cast<int>(gtk_range_get_value(GTK_RANGE(scale)));
}

GtkWidget* Group(const char* title, GtkWidget* grid) {
    GtkWidget* frame = gtk_frame_new(title);
    gtk_widget_set_margin_start(grid, 8);
    gtk_widget_set_margin_end(grid, 8);
    gtk_widget_set_margin_top(grid, 4);
    gtk_widget_set_margin_bottom(grid, 8);
    gtk_frame_set_child(GTK_FRAME(frame), grid);
    return frame;
}

GtkWidget* NewGrid() {
    GtkWidget* grid = gtk_grid_new();
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 8);
    return grid;
}

} // namespace

SimplePage::SimplePage(EditorContext context, std::function<void()> nameChanged)
    : m_context(std::move(context)), m_nameChanged(std::move(nameChanged)),
      m_pRoot(gtk_box_new(GTK_ORIENTATION_VERTICAL, 10)), m_pName(gtk_entry_new()),
      m_pInitial(CountSlider()), m_pTotal(CountSlider()), m_pInitialValue(gtk_label_new("")),
      m_pTotalValue(gtk_label_new("")), m_pSize(Slider(SettingsEditor::WormSizeRange)) {
    gtk_widget_set_margin_start(m_pRoot, 10);
    gtk_widget_set_margin_end(m_pRoot, 10);
    gtk_widget_set_margin_top(m_pRoot, 10);
    gtk_widget_set_margin_bottom(m_pRoot, 10);

    GtkWidget* nameRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 8);
    gtk_box_append(GTK_BOX(nameRow), MnemonicLabel("Preset _name", m_pName));
    gtk_widget_set_hexpand(m_pName, TRUE);
    gtk_box_append(GTK_BOX(nameRow), m_pName);
    gtk_box_append(GTK_BOX(m_pRoot), nameRow);

    GtkWidget* counts = NewGrid();
    for (GtkWidget* value : {m_pInitialValue, m_pTotalValue}) {
        gtk_label_set_width_chars(GTK_LABEL(value), 4);
        gtk_label_set_xalign(GTK_LABEL(value), 1.0f);
    }
    gtk_grid_attach(GTK_GRID(counts), MnemonicLabel("_Initial", m_pInitial), 0, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(counts), m_pInitialValue, 1, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(counts), m_pInitial, 2, 0, 1, 1);
    gtk_grid_attach(GTK_GRID(counts), MnemonicLabel("T_otal", m_pTotal), 0, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(counts), m_pTotalValue, 1, 1, 1, 1);
    gtk_grid_attach(GTK_GRID(counts), m_pTotal, 2, 1, 1, 1);
    gtk_box_append(GTK_BOX(m_pRoot), Group("Number of lumenkite", counts));

    GtkWidget* other = NewGrid();
    AddCheck(GTK_GRID(other), "S_pawn", PresetFlag::Spawn, 0, 0);
    AddCheck(GTK_GRID(other), "_Recycle", PresetFlag::Recycle, 0, 1);
    AddCheck(GTK_GRID(other), "Start in c_entre", PresetFlag::StartInCenter, 1, 0);
    GtkWidget* sizeRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
    gtk_box_append(GTK_BOX(sizeRow), MnemonicLabel("Si_ze: tiny", m_pSize));
    gtk_scale_set_draw_value(GTK_SCALE(m_pSize), FALSE);
    for (int mark = SettingsEditor::WormSizeRange.min; mark <= SettingsEditor::WormSizeRange.max;
         ++mark)
        gtk_scale_add_mark(GTK_SCALE(m_pSize), mark, GTK_POS_BOTTOM, nullptr);
    gtk_widget_set_size_request(m_pSize, 90, -1);
    gtk_widget_set_hexpand(m_pSize, TRUE);
    gtk_box_append(GTK_BOX(sizeRow), m_pSize);
    gtk_box_append(GTK_BOX(sizeRow), gtk_label_new("big"));
    gtk_grid_attach(GTK_GRID(other), sizeRow, 1, 1, 1, 1);
    gtk_box_append(GTK_BOX(m_pRoot), Group("Other simple settings", other));

    Connect(m_pName, "changed", [this] {
        if (m_bRefreshing)
            return;
        m_context.editor.SetName(gtk_editable_get_text(GTK_EDITABLE(m_pName)));
        m_context.changed();
        m_nameChanged();
    });
    Connect(m_pInitial, "value-changed", [this] { OnCountMoved(true); });
    Connect(m_pTotal, "value-changed", [this] { OnCountMoved(false); });
    Connect(m_pSize, "value-changed", [this] {
        if (m_bRefreshing)
            return;
        m_context.editor.SetWormSize(Position(m_pSize));
        m_context.changed();
    });
}

GtkWidget* SimplePage::AddCheck(GtkGrid* grid, const char* label, PresetFlag flag, int column,
                                int row) {
    GtkWidget* check = gtk_check_button_new_with_mnemonic(label);
    gtk_grid_attach(grid, check, column, row, 1, 1);
    m_aChecks.emplace_back(check, flag);
    Connect(check, "toggled", [this, check, flag] {
        if (m_bRefreshing)
            return;
        m_context.editor.SetFlag(flag, gtk_check_button_get_active(GTK_CHECK_BUTTON(check)));
        m_context.changed();
    });
    return check;
}

void SimplePage::Refresh() {
    m_bRefreshing = true;
    const Preset& preset = m_context.editor.CurrentPreset();
    gtk_range_set_value(GTK_RANGE(m_pSize), preset.WormSize);
    for (auto& [check, flag] : m_aChecks)
        gtk_check_button_set_active(GTK_CHECK_BUTTON(check), m_context.editor.Flag(flag));
    gtk_editable_set_text(GTK_EDITABLE(m_pName), preset.Name.c_str());
    ShowCounts(m_context.editor.ShownCounts());
    m_bRefreshing = false;
}

void SimplePage::SelectName() {
    gtk_widget_grab_focus(m_pName);
    gtk_editable_select_region(GTK_EDITABLE(m_pName), 0, -1);
}

void SimplePage::OnCountMoved(bool initialMoved) {
    if (m_bRefreshing)
        return;
    // A scale has no end of a drag: every move is a finished one.
    if (m_context.editor.SetCounts(Position(m_pInitial), Position(m_pTotal), initialMoved))
        m_context.changed();
    m_bRefreshing = true;
    ShowCounts(m_context.editor.ShownCounts());
    m_bRefreshing = false;
}

void SimplePage::ShowCounts(WormCounts counts) {
    gtk_range_set_value(GTK_RANGE(m_pTotal), counts.total);
    gtk_range_set_value(GTK_RANGE(m_pInitial), counts.initial);
    gtk_label_set_text(GTK_LABEL(m_pTotalValue), std::to_string(counts.total).c_str());
    gtk_label_set_text(GTK_LABEL(m_pInitialValue), std::to_string(counts.initial).c_str());
}
