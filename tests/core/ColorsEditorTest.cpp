#include "editor/ColorsEditor.h"
#include "editor/PreviewControl.h"
#include "settings/Colormap.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts the render lock's holds and remembers the last colormap the preview was given.
class FakePreview final : public PreviewControl {
public:
    std::unique_lock<std::recursive_mutex> LockRender() override {
        ++locks;
        return std::unique_lock(m_mutex);
    }
    void UpdateTargetWorms() override {}
    void ApplyCpu() override {}
    void SetColormap(const Colormap& colormap) override { colormap.GetText(shown); }
    void Pause() override {}
    void Resume() override {}

    int locks = 0;
    std::string shown;

private:
    std::recursive_mutex m_mutex;
};

std::string Text(const Colormap& colormap) {
    std::string text;
    colormap.GetText(text);
    return text;
}

class ColorsEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GE(m_settings.m_apColormaps.size(), 3u);
        auto colormap = std::make_unique<Colormap>();
        ASSERT_TRUE(colormap->Read("Test:00000000:80FF0000:FFFFFFFF:"));
        m_nTest = m_settings.AddColormap(std::move(colormap));
        m_settings.m_pCurrentPreset->Colormap = m_nTest;
        m_colors.LayoutStops(240, 96);
        m_colors.Refresh();
        m_preview.locks = 0;
    }
    Point On(int stop) const {
        const Rect box = m_colors.Stops().StopRect(stop);
        return {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    }
    MemoryRegStore m_store;
    Settings m_settings{m_store};
    FakePreview m_preview;
    ColorsEditor m_colors{m_settings, m_preview};
    int m_nTest = 0;
};

} // namespace

TEST_F(ColorsEditorTest, ChoosingAndRefreshingShowTheColormapAndMoveThePicker) {
    ColorsUpdate update = m_colors.ChooseColormap(1);
    EXPECT_EQ(m_settings.m_pCurrentPreset->Colormap, 1);
    EXPECT_EQ(m_colors.Shown(), m_settings.m_apColormaps[1].get());
    EXPECT_EQ(m_preview.shown, Text(*m_colors.Shown()));
    EXPECT_TRUE(update.redraw && update.movePicker && update.edited);
    EXPECT_EQ(m_preview.locks, 1);
    EXPECT_FALSE(m_colors.ChooseColormap(-1).redraw);
    EXPECT_EQ(m_settings.m_pCurrentPreset->Colormap, 1);

    // A stored index outside the library shows colormap 0 with no row chosen; a selection the
    // colormap does not have goes back to its first stop.
    m_settings.m_pCurrentPreset->Colormap = 99;
    m_colors.SelectStop(40);
    update = m_colors.Refresh();
    EXPECT_EQ(m_colors.Shown(), m_settings.m_apColormaps[0].get());
    EXPECT_EQ(m_colors.ChoiceRow(), -1);
    EXPECT_EQ(m_colors.Stops().m_nSelected, 0);
    EXPECT_TRUE(update.movePicker);
    EXPECT_FALSE(update.edited);
}

TEST_F(ColorsEditorTest, PickedColoursAndStopEditsChangeTheShownColormapUnderTheLock) {
    ColorsUpdate update = m_colors.PickColor(0x00FF8040);
    EXPECT_EQ(Text(*m_colors.Shown()), "Test:004080FF:80FF0000:FFFFFFFF:");
    EXPECT_EQ(m_colors.SelectedColor(), (RgbColor{0x40, 0x80, 0xFF}));
    EXPECT_FALSE(update.movePicker);
    EXPECT_TRUE(update.edited);
    EXPECT_EQ(m_preview.locks, 1);
    EXPECT_EQ(m_preview.shown, Text(*m_colors.Shown()));

    update = m_colors.PressStop(On(1));
    EXPECT_EQ(m_colors.SelectedColor(), (RgbColor{255, 0, 0}));
    EXPECT_TRUE(update.movePicker);
    EXPECT_FALSE(update.edited);
    update = m_colors.DragStop({On(1).x - 20, On(1).y});
    EXPECT_TRUE(m_colors.ReleaseStop());
    EXPECT_LT(m_colors.Shown()->m_aStops[1].position, 0x80);
    EXPECT_FALSE(update.movePicker);
    EXPECT_TRUE(update.edited);
    EXPECT_FALSE(m_colors.DragStop(On(0)).redraw) << "a move without a drag";
    EXPECT_EQ(m_preview.locks, 2);

    update = m_colors.DoubleClickStop(On(1));
    EXPECT_EQ(m_colors.Shown()->m_aStops.size(), 2u);
    EXPECT_TRUE(update.movePicker && update.edited);
    EXPECT_EQ(m_preview.locks, 3);
    EXPECT_FALSE(m_colors.DoubleClickStop(On(1)).redraw) << "two stops stay";
}

TEST_F(ColorsEditorTest, StopKeysSelectMoveRemoveAndInsert) {
    using Key = ColorsEditor::StopKey;
    EXPECT_TRUE(m_colors.PressStopKey(Key::SelectRight).movePicker);
    EXPECT_EQ(m_colors.Stops().m_nSelected, 1);
    EXPECT_TRUE(m_colors.PressStopKey(Key::MoveRight).edited);
    EXPECT_EQ(m_colors.Shown()->m_aStops[1].position, 0x81);
    EXPECT_TRUE(m_colors.PressStopKey(Key::Insert).redraw);
    EXPECT_EQ(m_colors.Shown()->m_aStops.size(), 4u);
    EXPECT_EQ(m_colors.Stops().m_nSelected, 2);
    EXPECT_TRUE(m_colors.PressStopKey(Key::Remove).redraw);
    EXPECT_EQ(Text(*m_colors.Shown()), "Test:00000000:81FF0000:FFFFFFFF:");
    EXPECT_EQ(m_preview.locks, 4);

    m_colors.SelectStop(7);
    EXPECT_FALSE(m_colors.TakesStopKeys());
    for (Key key : {Key::SelectLeft, Key::MoveLeft, Key::Remove, Key::Insert})
        EXPECT_FALSE(m_colors.PressStopKey(key).redraw);
}

TEST_F(ColorsEditorTest, NewDuplicateRenameAndDeleteKeepTheLibraryAndPresetsInStep) {
    const size_t library = m_settings.m_apColormaps.size();
    Colormap* pending = m_colors.BeginNewColormap();
    ASSERT_NE(pending, nullptr);
    EXPECT_EQ(m_colors.BeginDuplicateColormap(), nullptr) << "one name asked at a time";
    EXPECT_FALSE(m_colors.EndNewColormap(false).redraw);
    EXPECT_EQ(m_settings.m_apColormaps.size(), library);
    EXPECT_EQ(m_settings.m_pCurrentPreset->Colormap, m_nTest);

    pending = m_colors.BeginDuplicateColormap();
    ASSERT_NE(pending, nullptr);
    EXPECT_FALSE(m_colors.RenameColormap(*pending, "Copy: two"));
    EXPECT_TRUE(m_colors.RenameColormap(*pending, "Copy"));
    EXPECT_TRUE(m_colors.EndNewColormap(true).edited);
    ASSERT_EQ(m_settings.m_apColormaps.size(), library + 1);
    EXPECT_EQ(m_colors.Shown(), pending);
    EXPECT_EQ(m_settings.m_pCurrentPreset->Colormap, static_cast<int>(library));
    EXPECT_EQ(Text(*pending), "Copy:00000000:80FF0000:FFFFFFFF:");
    EXPECT_EQ(m_preview.locks, 2);

    // Deleting the test colormap: the copy after it moves down with the preset that uses it.
    Preset* other = m_settings.m_apPresets.back().get();
    ASSERT_NE(other, m_settings.m_pCurrentPreset);
    other->Colormap = static_cast<int>(library);
    m_colors.ChooseColormap(m_nTest);
    const Colormap* stale = m_settings.m_apColormaps[0].get();
    EXPECT_FALSE(m_colors.DeleteColormap(stale).redraw) << "only the shown one goes";
    EXPECT_TRUE(m_colors.DeleteColormap(m_colors.Shown()).redraw);
    EXPECT_EQ(m_settings.m_apColormaps.size(), library);
    EXPECT_EQ(other->Colormap, m_nTest);
    EXPECT_EQ(m_settings.m_pCurrentPreset->Colormap, 0);
    EXPECT_EQ(m_colors.Shown(), stale);

    m_settings.m_apColormaps.resize(1);
    m_colors.ChooseColormap(0);
    EXPECT_FALSE(m_colors.CanDeleteColormap());
    EXPECT_FALSE(m_colors.DeleteColormap(m_colors.Shown()).redraw);
    EXPECT_EQ(m_settings.m_apColormaps.size(), 1u);
}
