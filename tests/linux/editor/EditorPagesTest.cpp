#include "EditorHarness.h"

#include "editor/ColorPickerModel.h"
#include "editor/StopEditorModel.h"
#include "editor/TypeClicks.h"
#include "settings/Settings.h"

namespace {

GObject* Drag(GtkWidget* w) {
    return ControllerOf(w, GTK_TYPE_GESTURE_DRAG);
}

// What the pointer does to a widget: its gestures' own signals, as GTK emits them.
void Press(GtkWidget* w, double x, double y) {
    g_signal_emit_by_name(Drag(w), "drag-begin", x, y);
}
void MoveBy(GtkWidget* w, double dx, double dy) {
    g_signal_emit_by_name(Drag(w), "drag-update", dx, dy);
}
void Release(GtkWidget* w, double dx, double dy) {
    g_signal_emit_by_name(Drag(w), "drag-end", dx, dy);
}
void DoubleClick(GtkWidget* w, double x, double y) {
    Press(w, x, y);
    Release(w, 0, 0);
    Press(w, x, y);
    g_signal_emit_by_name(ControllerOf(w, GTK_TYPE_GESTURE_CLICK), "pressed", 2, x, y);
    Release(w, 0, 0);
}

std::string Text(const Colormap& colormap) {
    std::string text;
    colormap.GetText(text);
    return text;
}

std::unique_ptr<Colormap> Copy(const Colormap& colormap) {
    auto copy = std::make_unique<Colormap>();
    EXPECT_TRUE(copy->Read(Text(colormap)));
    return copy;
}

class EditorColorsTest : public EditorTest {
protected:
    void ShowColors() {
        gtk_notebook_set_current_page(Editor().Pages(), 2);
        Settle();
    }
    const Colormap& Shown() { return *Editor().Colors().Shown(); }
    GtkWidget* Stops() { return Editor().Colors().Editor().Widget(); }
    GtkWidget* Picker() { return Editor().Colors().Picker().Widget(); }
};

} // namespace

TEST_F(EditorTest, TypeRowsCycleThroughTheirStates) {
    Open();
    gtk_notebook_set_current_page(Editor().Pages(), 1);
    TypesPage& types = Editor().Types();
    const Preset& preset = *GetSettings().m_pCurrentPreset;
    int expected = preset.m_anTypeStates[3];
    for (int click = 0; click < 3; ++click) {
        Click(types.Row(3));
        expected = NextTypeState(expected);
        EXPECT_EQ(preset.m_anTypeStates[3], expected) << "click " << click;
        EXPECT_EQ(types.ShownState(3), expected);
    }
    Click(types.NoneButton());
    for (int i = 0; i < WormTypeCount; ++i)
        EXPECT_EQ(preset.m_anTypeStates[i], TypeOff) << i;
    Click(types.Row(0));
    EXPECT_EQ(preset.m_anTypeStates[0], NextTypeState(TypeOff));
    Click(types.AllButton());
    for (int i = 0; i < WormTypeCount; ++i)
        EXPECT_EQ(preset.m_anTypeStates[i], TypeOn) << i;
}

TEST_F(EditorColorsTest, PickingAColourGivesThePortableColormap) {
    Open();
    ShowColors();
    ColorPickerModel expected;
    expected.Layout(gtk_widget_get_width(Picker()));
    expected.m_bRGB = GetSettings().RGB;
    const ColorTriple first = Shown().m_aStops[0].colour;
    expected.SetColor(first.red, first.green, first.blue);
    auto colormap = Copy(Shown());
    const std::string before = Text(Shown());

    // A press on the second bar, then a drag along it.
    const Rect bar = expected.BarRect(1);
    const double x = bar.left + bar.Width() * 0.3, y = bar.top + 2;
    Press(Picker(), x, y);
    MoveBy(Picker(), 25, 1);
    Release(Picker(), 25, 1);
    ASSERT_TRUE(expected.Press({static_cast<int>(x), static_cast<int>(y)}));
    ASSERT_TRUE(expected.Move({static_cast<int>(x) + 25, static_cast<int>(y) + 1}));
    colormap->SetStopColor(0, expected.PackedColor());
    EXPECT_EQ(Text(Shown()), Text(*colormap));
    EXPECT_NE(Text(Shown()), before);
    EXPECT_TRUE(Editor().HasUnsavedChanges());

    // The mode switch is a stored setting and reaches the picker.
    Click(expected.m_bRGB ? Editor().Colors().HsvButton() : Editor().Colors().RgbButton());
    EXPECT_EQ(GetSettings().RGB, !expected.m_bRGB);
    EXPECT_EQ(Editor().Colors().Picker().Model().m_bRGB, !expected.m_bRGB);
}

TEST_F(EditorColorsTest, DraggingAndDoubleClickingStopsGivesThePortableColormap) {
    Open();
    ShowColors();
    StopEditorModel expected;
    expected.Layout(gtk_widget_get_width(Stops()));
    auto colormap = Copy(Shown());
    expected.m_pColormap = colormap.get();
    ASSERT_GE(colormap->m_aStops.size(), 2u);

    const Rect box = Editor().Colors().Editor().StopRect(1);
    const int x = (box.left + box.right) / 2, y = (box.top + box.bottom) / 2;
    Press(Stops(), x, y);
    MoveBy(Stops(), -30, 0);
    Release(Stops(), -30, 0);
    ASSERT_GT(expected.Press({x, y}), 0);
    ASSERT_TRUE(expected.Move({x - 30, y}));
    expected.Release();
    EXPECT_EQ(Text(Shown()), Text(*colormap));
    EXPECT_EQ(Editor().Colors().Editor().SelectedStop(), expected.m_nSelected);

    // A double click away from every box adds a stop there.
    const Rect groove = expected.GrooveRect();
    const int gapX = groove.right - 3, gapY = groove.top + 1;
    DoubleClick(Stops(), gapX, gapY);
    expected.Press({gapX, gapY});
    expected.Release();
    expected.Press({gapX, gapY});
    ASSERT_TRUE(expected.DoubleClick({gapX, gapY}));
    expected.Release();
    EXPECT_EQ(Shown().m_aStops.size(), colormap->m_aStops.size());
    EXPECT_EQ(Text(Shown()), Text(*colormap));
}

TEST_F(EditorColorsTest, ColormapsAreCreatedRenamedAndDeleted) {
    Open();
    ShowColors();
    const size_t count = GetSettings().m_apColormaps.size();
    Click(Editor().Colors().NewButton());
    GtkWindow* dialog = FindWindow("Create new colormap");
    ASSERT_NE(dialog, nullptr);
    GtkEditable* name = GTK_EDITABLE(FindWidgetOfType(GTK_WIDGET(dialog), GTK_TYPE_TEXT));
    ASSERT_NE(name, nullptr);
    // A name the file cannot hold greys the button, which then does nothing.
    gtk_editable_set_text(name, "Dusk:late");
    Click(GTK_WIDGET(dialog), "C_reate");
    EXPECT_EQ(GetSettings().m_apColormaps.size(), count);
    ASSERT_EQ(FindWindow("Create new colormap"), dialog);
    gtk_editable_set_text(name, "Dusk");
    Click(GTK_WIDGET(dialog), "C_reate");
    ASSERT_EQ(GetSettings().m_apColormaps.size(), count + 1);
    EXPECT_EQ(GetSettings().m_apColormaps.back()->m_strName, "Dusk");
    EXPECT_EQ(GetSettings().m_pCurrentPreset->Colormap, static_cast<int>(count));
    EXPECT_EQ(gtk_drop_down_get_selected(Editor().Colors().Choice()), count);

    Click(Editor().Colors().RenameButton());
    dialog = FindWindow("Rename colormap");
    ASSERT_NE(dialog, nullptr);
    name = GTK_EDITABLE(FindWidgetOfType(GTK_WIDGET(dialog), GTK_TYPE_TEXT));
    gtk_editable_set_text(name, "Dawn");
    Click(GTK_WIDGET(dialog), "_Rename");
    EXPECT_EQ(GetSettings().m_apColormaps.back()->m_strName, "Dawn");

    // A duplicate has the same name and stops, and is a colormap of its own.
    const Colormap* original = GetSettings().m_apColormaps.back().get();
    Click(Editor().Colors().DuplicateButton());
    dialog = FindWindow("Create duplicate colormap");
    ASSERT_NE(dialog, nullptr);
    name = GTK_EDITABLE(FindWidgetOfType(GTK_WIDGET(dialog), GTK_TYPE_TEXT));
    EXPECT_STREQ(gtk_editable_get_text(name), "Dawn");
    Click(GTK_WIDGET(dialog), "C_reate");
    ASSERT_EQ(GetSettings().m_apColormaps.size(), count + 2);
    const Colormap* duplicate = GetSettings().m_apColormaps.back().get();
    EXPECT_NE(duplicate, original);
    EXPECT_EQ(Text(*duplicate), Text(*original));
    EXPECT_EQ(Editor().Colors().Shown(), duplicate);

    // Delete asks first, then removes the shown one and shows the first.
    Click(Editor().Colors().DeleteButton());
    Answer("Really delete?", "_Cancel");
    EXPECT_EQ(GetSettings().m_apColormaps.size(), count + 2);
    Click(Editor().Colors().DeleteButton());
    Answer("Really delete?", "_Delete");
    ASSERT_EQ(GetSettings().m_apColormaps.size(), count + 1);
    EXPECT_EQ(GetSettings().m_apColormaps.back().get(), original);
    EXPECT_EQ(GetSettings().m_pCurrentPreset->Colormap, 0);
    EXPECT_EQ(gtk_drop_down_get_selected(Editor().Colors().Choice()), 0u);
}

TEST_F(EditorTest, AnyKeyEndsTheFullScreenPreview) {
    Open();
    Click(Editor().FullScreenButton());
    GtkWindow* full = Editor().GetPreview().FullScreenWindow();
    ASSERT_NE(full, nullptr);
    GObject* keys = ControllerOf(GTK_WIDGET(full), GTK_TYPE_EVENT_CONTROLLER_KEY);
    ASSERT_NE(keys, nullptr);
    gboolean handled = FALSE;
    g_signal_emit_by_name(keys, "key-pressed", GDK_KEY_Escape, 9u, GdkModifierType(0), &handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(Editor().GetPreview().FullScreenWindow(), nullptr);
}

namespace {

bool PressKey(GtkWidget* w, guint key, GdkModifierType state = GdkModifierType(0)) {
    gboolean handled = FALSE;
    g_signal_emit_by_name(ControllerOf(w, GTK_TYPE_EVENT_CONTROLLER_KEY), "key-pressed", key, 0u,
                          state, &handled);
    return handled;
}

} // namespace

TEST_F(EditorColorsTest, KeysPickColoursAndEditStops) {
    Open();
    ShowColors();
    if (!GetSettings().RGB)
        Click(Editor().Colors().RgbButton());
    // Right on the first slider raises red alone; Down goes on to green.
    const ColorTriple before = Shown().m_aStops[0].colour;
    ASSERT_LT(before.red, 255);
    EXPECT_TRUE(PressKey(Picker(), GDK_KEY_Right));
    ColorTriple after = Shown().m_aStops[0].colour;
    EXPECT_GT(after.red, before.red);
    EXPECT_EQ(after.green, before.green);
    EXPECT_EQ(after.blue, before.blue);
    EXPECT_TRUE(PressKey(Picker(), GDK_KEY_Down));
    EXPECT_TRUE(PressKey(Picker(), GDK_KEY_Right));
    EXPECT_EQ(Shown().m_aStops[0].colour.red, after.red);
    EXPECT_GT(Shown().m_aStops[0].colour.green, before.green);

    // Right selects the next stop, Shift+Right moves it one place as the colormap's move does.
    auto colormap = Copy(Shown());
    EXPECT_TRUE(PressKey(Stops(), GDK_KEY_Right));
    EXPECT_EQ(Editor().Colors().Editor().SelectedStop(), 1);
    EXPECT_TRUE(PressKey(Stops(), GDK_KEY_Right, GDK_SHIFT_MASK));
    int moved = 1;
    colormap->MoveStop(moved, colormap->m_aStops[1].position + 1);
    EXPECT_EQ(Text(Shown()), Text(*colormap));
    EXPECT_EQ(Editor().Colors().Editor().SelectedStop(), moved);

    // Delete removes the selected stop, never below two; Insert adds one after it.
    const size_t stops = Shown().m_aStops.size();
    EXPECT_TRUE(PressKey(Stops(), GDK_KEY_Delete));
    EXPECT_EQ(Shown().m_aStops.size(), stops - 1);
    while (Shown().m_aStops.size() > 2)
        PressKey(Stops(), GDK_KEY_Delete);
    PressKey(Stops(), GDK_KEY_Delete);
    EXPECT_EQ(Shown().m_aStops.size(), 2u);
    Editor().Colors().Editor().SelectStop(0);
    EXPECT_TRUE(PressKey(Stops(), GDK_KEY_Insert));
    EXPECT_EQ(Shown().m_aStops.size(), 3u);
}
