#include "EditorHarness.h"

#include "editor/PresetEdits.h"
#include "editor/WormCounts.h"
#include "settings/Settings.h"

#include <algorithm>
#include <vector>

namespace {

std::string RowText(GtkListBox* list, int row) {
    GtkListBoxRow* line = gtk_list_box_get_row_at_index(list, row);
    return line ? gtk_label_get_text(GTK_LABEL(gtk_list_box_row_get_child(line))) : "<none>";
}

int RowCount(GtkListBox* list) {
    int n = 0;
    while (gtk_list_box_get_row_at_index(list, n))
        ++n;
    return n;
}

int SelectedRow(GtkListBox* list) {
    GtkListBoxRow* row = gtk_list_box_get_selected_row(list);
    return row ? gtk_list_box_row_get_index(row) : -1;
}

} // namespace

TEST_F(EditorTest, NewRenameAndDeleteKeepTheListInStep) {
    Open();
    GtkListBox* list = Editor().PresetList();
    const int factory = static_cast<int>(GetSettings().m_apPresets.size());
    ASSERT_EQ(RowCount(list), factory);
    EXPECT_FALSE(Editor().HasUnsavedChanges());

    Click(Editor().NewButton());
    EXPECT_EQ(RowCount(list), factory + 1);
    EXPECT_EQ(SelectedRow(list), factory);
    EXPECT_EQ(RowText(list, factory), "New Preset");
    EXPECT_EQ(GetSettings().CurrentPreset, factory);
    // The name is on show with all of it selected, ready to be typed over.
    EXPECT_EQ(gtk_notebook_get_current_page(Editor().Pages()), 0);
    GtkEditable* name = GTK_EDITABLE(Editor().Simple().NameEntry());
    int start = -1, end = -1;
    EXPECT_TRUE(gtk_editable_get_selection_bounds(name, &start, &end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, static_cast<int>(std::string("New Preset").size()));
    EXPECT_TRUE(Editor().HasUnsavedChanges());

    gtk_editable_set_text(name, "Comets");
    EXPECT_EQ(GetSettings().m_pCurrentPreset->Name, "Comets");
    EXPECT_EQ(RowText(list, factory), "Comets");

    // Picking another row shows that preset on the pages.
    gtk_list_box_select_row(list, gtk_list_box_get_row_at_index(list, 1));
    EXPECT_EQ(GetSettings().CurrentPreset, 1);
    EXPECT_EQ(gtk_editable_get_text(name), GetSettings().m_apPresets[1]->Name);

    // Declining the question deletes nothing; confirming deletes and selects the row above.
    const std::string second = GetSettings().m_apPresets[1]->Name;
    Click(Editor().DeleteButton());
    Answer("Not so fast...", "_Cancel");
    EXPECT_EQ(RowCount(list), factory + 1);
    EXPECT_EQ(RowText(list, 1), second);
    Click(Editor().DeleteButton());
    Answer("Not so fast...", "_Delete");
    EXPECT_EQ(RowCount(list), factory);
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_EQ(GetSettings().CurrentPreset, 0);
    for (int i = 0; i < RowCount(list); ++i)
        EXPECT_NE(RowText(list, i), second);
    EXPECT_EQ(RowText(list, factory - 1), "Comets");
}

TEST_F(EditorTest, DeleteIsGreyedForTheLastPreset) {
    Open();
    GtkListBox* list = Editor().PresetList();
    while (CanDeletePreset(GetSettings())) {
        ASSERT_TRUE(gtk_widget_get_sensitive(GTK_WIDGET(Editor().DeleteButton())));
        Click(Editor().DeleteButton());
        Answer("Not so fast...", "_Delete");
    }
    EXPECT_EQ(RowCount(list), 1);
    EXPECT_FALSE(gtk_widget_get_sensitive(GTK_WIDGET(Editor().DeleteButton())));
    Click(Editor().DeleteButton());
    Settle();
    EXPECT_EQ(FindWindow("Not so fast..."), nullptr);
    EXPECT_EQ(GetSettings().m_apPresets.size(), 1u);
}

TEST_F(EditorTest, WormSlidersPushEachOther) {
    Open();
    GtkRange* initial = Editor().Simple().InitialSlider();
    GtkRange* total = Editor().Simple().TotalSlider();
    gtk_range_set_value(total, 100);
    gtk_range_set_value(initial, 50);
    const Preset& preset = *GetSettings().m_pCurrentPreset;
    EXPECT_EQ(preset.Worms, 100);
    EXPECT_EQ(preset.InitialWorms, 50);

    // Initial moved past total takes total along, and total moved under initial pulls it down.
    gtk_range_set_value(initial, 300);
    WormCounts pushed = PushCounts(300, 100, true);
    EXPECT_EQ(gtk_range_get_value(total), pushed.total);
    EXPECT_EQ(preset.Worms, pushed.total);
    EXPECT_EQ(preset.InitialWorms, 300);
    gtk_range_set_value(total, 20);
    pushed = PushCounts(300, 20, false);
    EXPECT_EQ(gtk_range_get_value(initial), pushed.initial);
    EXPECT_EQ(preset.InitialWorms, pushed.initial);
    EXPECT_EQ(preset.Worms, 20);
    EXPECT_LE(preset.InitialWorms, preset.Worms);
}

TEST_F(EditorTest, CycleChoiceStoresTheCycleSettings) {
    WriteSettingsFile(Path(), "\"Cycle\"=hex:01,00,00,00\r\n\"CycleType\"=hex:07,00,00,00\r\n");
    Open();
    // Any type but "in order" is random.
    EXPECT_EQ(gtk_drop_down_get_selected(Editor().CycleChoice()), 2u);
    gtk_drop_down_set_selected(Editor().CycleChoice(), 0);
    EXPECT_FALSE(GetSettings().Cycle);
    gtk_drop_down_set_selected(Editor().CycleChoice(), 1);
    EXPECT_TRUE(GetSettings().Cycle);
    EXPECT_EQ(GetSettings().CycleType, 1);
    EXPECT_TRUE(Editor().HasUnsavedChanges());
}

namespace {

// The mnemonic keys of every label the user can reach with the given page shown.
void CollectMnemonics(GtkWidget* widget, GtkNotebook* pages, int shown, std::vector<guint>& keys) {
    const int page = gtk_notebook_page_num(pages, widget);
    if (page >= 0 && page != shown)
        return;
    if (GTK_IS_LABEL(widget)) {
        const guint key = gtk_label_get_mnemonic_keyval(GTK_LABEL(widget));
        if (key != GDK_KEY_VoidSymbol && key != 0)
            keys.push_back(gdk_keyval_to_lower(key));
    }
    for (GtkWidget* child = gtk_widget_get_first_child(widget); child;
         child = gtk_widget_get_next_sibling(child))
        CollectMnemonics(child, pages, shown, keys);
}

} // namespace

TEST_F(EditorTest, EveryPageHasItsOwnMnemonics) {
    Open();
    GtkNotebook* pages = Editor().Pages();
    for (int page = 0; page < gtk_notebook_get_n_pages(pages); ++page) {
        SCOPED_TRACE(page);
        std::vector<guint> keys;
        CollectMnemonics(GTK_WIDGET(Editor().Window()), pages, page, keys);
        EXPECT_GT(keys.size(), 10u);
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end())
            << "two labels share Alt+"
            << gdk_keyval_name(*std::adjacent_find(keys.begin(), keys.end()));
        // The tab's own letter brings its page up.
        gtk_notebook_set_current_page(pages, page == 0 ? 1 : 0);
        GtkWidget* tab = gtk_notebook_get_tab_label(pages, gtk_notebook_get_nth_page(pages, page));
        gtk_widget_mnemonic_activate(tab, FALSE);
        EXPECT_EQ(gtk_notebook_get_current_page(pages), page);
    }
}
