#include "editor/SettingsEditor.h"
#include "TestSupport.h"
#include "editor/EditorTexts.h"
#include "editor/PreviewControl.h"
#include "engine/RenderThread.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Logs every call in order. A lock logs what `probe` reads at that moment: a value written under
// the lock still shows its old state there.
class FakePreview final : public PreviewControl {
public:
    std::unique_lock<std::recursive_mutex> LockRender() override {
        m_events.push_back("lock " + (m_probe ? m_probe() : std::string()));
        return std::unique_lock(m_mutex);
    }
    void UpdateTargetWorms() override { m_events.push_back("target"); }
    void ApplyCpu() override { m_events.push_back("cpu"); }
    void SetColormap(const Colormap&) override { m_events.push_back("colormap"); }
    void Pause() override { m_events.push_back("pause"); }
    void Resume() override { m_events.push_back("resume"); }

    std::vector<std::string> m_events;
    std::function<std::string()> m_probe;

private:
    std::recursive_mutex m_mutex;
};

using Events = std::vector<std::string>;

class SettingsEditorTest : public ::testing::Test {
protected:
    // Starts a fresh log that shows `probe` at each lock.
    void Watch(std::function<std::string()> probe) {
        m_preview.m_events.clear();
        m_preview.m_probe = std::move(probe);
    }
    Preset& Current() { return *m_settings.m_pCurrentPreset; }

    MemoryRegStore m_store;
    Settings m_settings{m_store}; // the eight factory presets
    FakePreview m_preview;
    SettingsEditor m_editor{m_settings, m_preview};
};

} // namespace

TEST_F(SettingsEditorTest, OpeningBringsStoredValuesIntoWhatTheControlsShow) {
    m_settings.CurrentPreset = 42;
    m_settings.CPU = 5;
    m_settings.Cycle = true;
    m_settings.CycleType = 7;
    Watch([&] { return std::to_string(m_settings.CPU); });
    EXPECT_EQ(m_editor.Normalise(), 0);
    EXPECT_EQ(m_settings.CurrentPreset, 0);
    EXPECT_EQ(m_settings.CPU, SettingsEditor::CpuRange.min);
    EXPECT_EQ(m_settings.CycleType, 0) << "any type but in-order is the random row";
    EXPECT_EQ(m_preview.m_events, (Events{"lock 5", "cpu"}));
}

TEST_F(SettingsEditorTest, PresetRowsNewAndDeleteEachLockThenMoveThePopulation) {
    m_settings.m_apPresets[3]->WormSize = 7;
    Watch([&] { return std::to_string(m_settings.CurrentPreset); });
    EXPECT_TRUE(m_editor.SelectPresetRow(3));
    EXPECT_EQ(Current().Name, "Catherine Wheel");
    EXPECT_EQ(Current().WormSize, SettingsEditor::WormSizeRange.max);
    EXPECT_FALSE(m_editor.SelectPresetRow(3));
    EXPECT_TRUE(m_editor.SelectPresetRow(-1)) << "no list selection is the first row";
    EXPECT_EQ(m_settings.CurrentPreset, 0);
    EXPECT_EQ(m_preview.m_events,
              (Events{"lock 0", "target", "lock 3", "target", "lock 3", "target"}));

    Watch([&] { return std::to_string(m_settings.m_apPresets.size()); });
    EXPECT_EQ(m_editor.NewPreset(), 8);
    EXPECT_EQ(m_editor.PresetRow(), 8);
    EXPECT_EQ(Current().Name, "New Preset");
    EXPECT_EQ(m_preview.m_events, (Events{"lock 8", "target"}));

    m_editor.SelectPresetRow(4);
    EXPECT_EQ(m_editor.DeleteQuestion(), "Delete preset \"Dragon Flies\", sure about that?");
    Watch([&] { return std::to_string(m_settings.m_apPresets.size()); });
    m_editor.DeleteCurrentPreset();
    EXPECT_EQ(m_settings.m_apPresets.size(), 8u);
    EXPECT_EQ(Current().Name, "Catherine Wheel") << "the one above the deleted preset";
    EXPECT_EQ(m_preview.m_events.front(), "lock 9");

    while (m_editor.CanDeletePreset())
        m_editor.DeleteCurrentPreset();
    EXPECT_EQ(m_settings.m_apPresets.size(), 1u);
}

TEST_F(SettingsEditorTest, CycleAndSimplePageEditsAreMadeUnderTheLock) {
    Watch([&] { return std::to_string(m_settings.Cycle); });
    m_editor.ChooseCycle(0);
    EXPECT_FALSE(m_settings.Cycle);
    EXPECT_EQ(m_editor.CycleRow(), 0);
    EXPECT_EQ(m_preview.m_events, (Events{"lock 1"}));

    Watch([&] { return Current().Name; });
    m_editor.SetName("Calm");
    EXPECT_EQ(Current().Name, "Calm");
    EXPECT_EQ(m_preview.m_events, (Events{"lock Fireworks"}));

    Watch([&] { return std::to_string(Current().WormSize); });
    m_editor.SetWormSize(7);
    EXPECT_EQ(Current().WormSize, SettingsEditor::WormSizeRange.max);
    m_editor.SetWormSize(-4);
    EXPECT_EQ(Current().WormSize, SettingsEditor::WormSizeRange.min);
    EXPECT_EQ(m_preview.m_events, (Events{"lock 0", "lock 3"}));

    // Fireworks recycles and does not spawn.
    Watch([&] { return std::to_string(Current().Spawn) + std::to_string(Current().Recycle); });
    m_editor.SetFlag(PresetFlag::Recycle, false);
    m_editor.SetFlag(PresetFlag::Spawn, true);
    EXPECT_FALSE(m_editor.Flag(PresetFlag::Recycle));
    EXPECT_TRUE(m_editor.Flag(PresetFlag::Spawn));
    EXPECT_FALSE(m_editor.Flag(PresetFlag::StartInCenter));
    EXPECT_EQ(m_preview.m_events, (Events{"lock 01", "lock 00"}));
}

TEST_F(SettingsEditorTest, CountsShowClampedAndPushedButAreStoredOnlyBySetCounts) {
    Current().Worms = 900;
    Current().InitialWorms = 0;
    WormCounts shown = m_editor.ShownCounts();
    EXPECT_EQ(shown.total, 500);
    EXPECT_EQ(shown.initial, 1);
    Current().InitialWorms = 700;
    shown = m_editor.ShownCounts();
    EXPECT_EQ(shown.initial, 500) << "the total wins while no slider moves";

    Watch([&] { return std::to_string(Current().Worms); });
    WormCounts moving = m_editor.MoveCounts(300, 200, true);
    EXPECT_EQ(moving.total, 300);
    EXPECT_TRUE(m_preview.m_events.empty()) << "a move in progress stores nothing";
    EXPECT_TRUE(m_editor.SetCounts(300, 200, false));
    EXPECT_EQ(Current().Worms, 200);
    EXPECT_EQ(Current().InitialWorms, 200);
    EXPECT_FALSE(m_editor.SetCounts(300, 200, false));
    EXPECT_EQ(m_preview.m_events, (Events{"lock 900", "target", "lock 200", "target"}));
}

TEST_F(SettingsEditorTest, TypeClicksAllAndNoneWriteEveryStateUnderTheLock) {
    auto states = [&] {
        std::string text;
        for (int state : Current().m_anTypeStates)
            text += std::to_string(state);
        return text;
    };
    Watch(states);
    m_editor.SetAllTypes(TypeOn);
    m_editor.ClickType(WormTypeMissile);
    m_editor.ClickType(WormTypeMissile);
    Current().m_anTypeStates[0] = -1; // hand-edited
    bool clicked[WormTypeCount] = {};
    clicked[0] = clicked[2] = true;
    m_editor.ClickTypes(clicked);
    EXPECT_EQ(states(), "001000000000002") << "-1 read unsigned wraps to on";
    m_editor.SetAllTypes(TypeOff);
    EXPECT_EQ(m_editor.TypeState(7), TypeOff);
    EXPECT_EQ(m_preview.m_events,
              (Events{"lock 111111111111101", "lock 000000000000000", "lock 000000000000001",
                      "lock -100000000000002", "lock 001000000000002"}));
}

TEST_F(SettingsEditorTest, AdvancedTextsCpuAndSwitches) {
    m_settings.Delay = -1;
    EXPECT_EQ(m_editor.DelayText(), "4294967295") << "shown unsigned, as stored";
    m_settings.DelayRange = 30;
    Watch([&] {
        return std::to_string(m_settings.Delay) + "/" + std::to_string(m_settings.DelayRange);
    });
    m_editor.TakeDelayTexts(" 99999999999 ", "ten");
    EXPECT_EQ(m_settings.Delay, RenderThread::MaxDelaySeconds);
    EXPECT_EQ(m_settings.DelayRange, 30) << "text that is no number keeps the setting";
    EXPECT_EQ(m_preview.m_events, (Events{"lock -1/30"}));

    Watch([&] { return std::to_string(m_settings.CPU); });
    m_editor.MoveCpu(250);
    EXPECT_EQ(m_editor.CpuText(), "100%");
    m_editor.SetCpu(35);
    EXPECT_EQ(m_editor.CpuText(), "35%");
    EXPECT_EQ(m_preview.m_events, (Events{"lock 60", "lock 100", "cpu"}));

    Watch([&] { return std::to_string(m_settings.DoublePixels); });
    m_editor.SetFastSmoothing(true);
    EXPECT_TRUE(m_settings.FastSmoothing);
    m_editor.SetDoublePixels(true);
    EXPECT_TRUE(m_settings.DoublePixels);
    EXPECT_EQ(m_preview.m_events, (Events{"lock 0", "pause", "lock 0", "resume"}));
}

TEST(EditorTextsTest, QuestionsAndNoticesNameWhatTheyAreAbout) {
    EXPECT_EQ(DeletePresetQuestion(""), "Delete preset \"\", sure about that?");
    EXPECT_NE(UnsavedChangesQuestion("/tmp/a.reg").find("/tmp/a.reg"), std::string::npos);
    const std::string notice = LoadFailureNotice("bad header", "/tmp/a.reg");
    EXPECT_NE(notice.find("(bad header)"), std::string::npos);
    EXPECT_NE(notice.find("/tmp/a.reg.bak"), std::string::npos);
    EXPECT_NE(SaveFailureNotice("disk full").find("disk full"), std::string::npos);
}
