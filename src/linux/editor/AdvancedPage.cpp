#include "linux/editor/AdvancedPage.h"

#include "editor/SettingsEditor.h"
#include "linux/editor/Signal.h"
#include "settings/Settings.h"

namespace {

GtkWidget* Label(const char* text, float xalign = 0.0f) {
    GtkWidget* label = gtk_label_new_with_mnemonic(text);
    gtk_label_set_xalign(GTK_LABEL(label), xalign);
    return label;
}

GtkWidget* SecondsEntry(const std::string& seconds) {
    GtkWidget* entry = gtk_entry_new();
    gtk_editable_set_width_chars(GTK_EDITABLE(entry), 8);
    gtk_widget_set_hexpand(entry, FALSE);
    gtk_widget_set_halign(entry, GTK_ALIGN_START);
    gtk_editable_set_text(GTK_EDITABLE(entry), seconds.c_str());
    return entry;
}

} // namespace

AdvancedPage::AdvancedPage(EditorContext context)
    : m_context(std::move(context)), m_pRoot(gtk_grid_new()),
      m_pDelay(SecondsEntry(m_context.editor.DelayText())),
      m_pRange(SecondsEntry(m_context.editor.RangeText())),
      m_pCpu(gtk_scale_new_with_range(GTK_ORIENTATION_HORIZONTAL, SettingsEditor::CpuRange.min,
                                      SettingsEditor::CpuRange.max, 1)),
      m_pCpuValue(gtk_label_new("")), m_pFps(gtk_label_new("–")),
      m_pFast(gtk_check_button_new_with_mnemonic("Slightly faster smoot_hing")),
      m_pDouble(gtk_check_button_new_with_mnemonic("Dou_ble pixels")),
      m_pAllMonitors(gtk_check_button_new_with_mnemonic("_Every monitor")) {
    GtkGrid* grid = GTK_GRID(m_pRoot);
    gtk_grid_set_row_spacing(grid, 8);
    gtk_grid_set_column_spacing(grid, 8);
    gtk_widget_set_margin_start(m_pRoot, 14);
    gtk_widget_set_margin_end(m_pRoot, 14);
    gtk_widget_set_margin_top(m_pRoot, 14);
    gtk_widget_set_margin_bottom(m_pRoot, 14);

    GtkWidget* delay = Label("Time per _preset");
    gtk_label_set_mnemonic_widget(GTK_LABEL(delay), m_pDelay);
    gtk_grid_attach(grid, delay, 0, 0, 1, 1);
    gtk_grid_attach(grid, m_pDelay, 1, 0, 1, 1);
    gtk_grid_attach(grid, Label("s"), 2, 0, 1, 1);
    GtkWidget* range = Label("_Give or take ±", 1.0f);
    gtk_label_set_mnemonic_widget(GTK_LABEL(range), m_pRange);
    gtk_grid_attach(grid, range, 0, 1, 1, 1);
    gtk_grid_attach(grid, m_pRange, 1, 1, 1, 1);
    gtk_grid_attach(grid, Label("s"), 2, 1, 1, 1);

    GtkWidget* cpu = Label("Pr_ocessor share");
    gtk_label_set_mnemonic_widget(GTK_LABEL(cpu), m_pCpu);
    gtk_grid_attach(grid, cpu, 0, 2, 1, 1);
    gtk_scale_set_draw_value(GTK_SCALE(m_pCpu), FALSE);
    gtk_widget_set_size_request(m_pCpu, 160, -1);
    gtk_widget_set_hexpand(m_pCpu, TRUE);
    gtk_range_set_value(GTK_RANGE(m_pCpu), m_context.editor.GetSettings().CPU);
    gtk_grid_attach(grid, m_pCpu, 1, 2, 1, 1);
    gtk_label_set_width_chars(GTK_LABEL(m_pCpuValue), 5);
    gtk_grid_attach(grid, m_pCpuValue, 2, 2, 1, 1);
    gtk_grid_attach(grid, Label("Current frame rate"), 0, 3, 1, 1);
    gtk_label_set_xalign(GTK_LABEL(m_pFps), 0.0f);
    gtk_grid_attach(grid, m_pFps, 1, 3, 1, 1);

    gtk_check_button_set_active(GTK_CHECK_BUTTON(m_pFast),
                                m_context.editor.GetSettings().FastSmoothing);
    gtk_check_button_set_active(GTK_CHECK_BUTTON(m_pDouble),
                                m_context.editor.GetSettings().DoublePixels);
    gtk_check_button_set_active(GTK_CHECK_BUTTON(m_pAllMonitors),
                                m_context.editor.GetSettings().AllMonitors);
    gtk_grid_attach(grid, m_pFast, 0, 4, 3, 1);
    gtk_grid_attach(grid, m_pDouble, 0, 5, 3, 1);
    gtk_grid_attach(grid, m_pAllMonitors, 0, 6, 3, 1);
    ShowSpeed();

    Connect(m_pCpu, "value-changed", [this] {
        // A scale has no end of a drag: the preview takes every move.
        m_context.editor.SetCpu(static_cast<int>(gtk_range_get_value(GTK_RANGE(m_pCpu))));
        ShowSpeed();
        m_context.changed();
    });
    Connect(m_pFast, "toggled", [this] {
        m_context.editor.SetFastSmoothing(gtk_check_button_get_active(GTK_CHECK_BUTTON(m_pFast)));
        m_context.changed();
    });
    Connect(m_pDouble, "toggled", [this] {
        m_context.editor.SetDoublePixels(gtk_check_button_get_active(GTK_CHECK_BUTTON(m_pDouble)));
        m_context.changed();
    });
    Connect(m_pAllMonitors, "toggled", [this] {
        m_context.editor.SetAllMonitors(
            gtk_check_button_get_active(GTK_CHECK_BUTTON(m_pAllMonitors)));
        m_context.changed();
    });
    for (GtkWidget* entry : {m_pDelay, m_pRange})
        Connect(entry, "changed", [this] { m_context.changed(); });
}

void AdvancedPage::ShowSpeed() {
    gtk_label_set_text(GTK_LABEL(m_pCpuValue), m_context.editor.CpuText().c_str());
}

void AdvancedPage::ShowFrameRate(int frames) {
    gtk_label_set_text(GTK_LABEL(m_pFps), (std::to_string(frames) + " frames/s").c_str());
}

std::string AdvancedPage::DelayText() const {
    return gtk_editable_get_text(GTK_EDITABLE(m_pDelay));
}

std::string AdvancedPage::RangeText() const {
    return gtk_editable_get_text(GTK_EDITABLE(m_pRange));
}
