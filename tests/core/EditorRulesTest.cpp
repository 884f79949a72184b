#include "TestSupport.h"
#include "editor/CycleChoice.h"
#include "editor/DelayField.h"
#include "editor/DialogGeometry.h"
#include "editor/PresetEdits.h"
#include "editor/TypeClicks.h"
#include "editor/WormCounts.h"
#include "engine/RenderThread.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int Cap = RenderThread::MaxDelaySeconds;

std::vector<std::string> PresetNames(const Settings& settings) {
    std::vector<std::string> names;
    for (const auto& preset : settings.m_apPresets)
        names.push_back(preset->Name);
    return names;
}

void ExpectCurrent(const Settings& settings, int index, const std::string& name) {
    EXPECT_EQ(settings.CurrentPreset, index);
    ASSERT_NE(settings.m_pCurrentPreset, nullptr);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.GetPreset(index));
    EXPECT_EQ(settings.m_pCurrentPreset->Name, name);
}

class PresetEditsTest : public ::testing::Test {
protected:
    MemoryRegStore m_store;
    Settings m_settings{m_store}; // the eight factory presets
};

} // namespace

TEST(WormCountsTest, TheMovedSliderPushesTheOther) {
    WormCounts initialMoved = PushCounts(300, 200, true);
    EXPECT_EQ(initialMoved.initial, 300);
    EXPECT_EQ(initialMoved.total, 300);
    WormCounts totalMoved = PushCounts(300, 200, false);
    EXPECT_EQ(totalMoved.initial, 200);
    EXPECT_EQ(totalMoved.total, 200);
}

TEST(WormCountsTest, OrderedOrEqualCountsStayAsTheyAre) {
    for (bool focus : {true, false}) {
        WormCounts ordered = PushCounts(10, 500, focus);
        EXPECT_EQ(ordered.initial, 10);
        EXPECT_EQ(ordered.total, 500);
        WormCounts equal = PushCounts(42, 42, focus);
        EXPECT_EQ(equal.initial, 42);
        EXPECT_EQ(equal.total, 42);
    }
}

TEST(TypeClicksTest, StatesCycleOnOffKeepOneAndOutOfRangeValuesWrapUnsigned) {
    EXPECT_EQ(NextTypeState(TypeOn), TypeOff);
    EXPECT_EQ(NextTypeState(TypeOff), TypeKeepOne);
    EXPECT_EQ(NextTypeState(TypeKeepOne), TypeOn);
    EXPECT_EQ(NextTypeState(7), 2);
    EXPECT_EQ(NextTypeState(-1), 0) << "0xFFFFFFFF + 1 wraps to 0";
    EXPECT_EQ(NextTypeState(-2), 0) << "0xFFFFFFFE + 1 = 0xFFFFFFFF, a multiple of 3";
    EXPECT_EQ(NextTypeState(-3), 2);
    for (int start : {0, 1, 2}) {
        int state = start;
        for (int click = 0; click < 3; ++click)
            state = NextTypeState(state);
        EXPECT_EQ(state, start) << "three clicks return to the start";
    }
}

TEST(TypeClicksTest, OnlyClickedRowsAdvance) {
    int states[WormTypeCount];
    bool clicked[WormTypeCount] = {};
    for (int i = 0; i < WormTypeCount; ++i)
        states[i] = i % 3;
    clicked[WormTypeWormy] = true;   // on -> off
    clicked[WormTypeCurvy] = true;   // on -> off
    clicked[WormTypeDragon] = true;  // keep-one -> on
    clicked[WormTypeMissile] = true; // keep-one -> on, the last row
    ApplyTypeClicks(states, clicked);
    for (int i = 0; i < WormTypeCount; ++i) {
        int expected = clicked[i] ? (i % 3 + 1) % 3 : i % 3;
        EXPECT_EQ(states[i], expected) << g_aWormTypes[i].displayName;
    }
}

TEST(CycleChoiceTest, TheRowSaysWhatTheEngineDoes) {
    MemoryRegStore store;
    Settings settings(store);
    settings.Cycle = true;
    settings.CycleType = 1;
    EXPECT_EQ(CycleChoiceIndex(settings), 1);
    for (int randomType : {0, 2, -1, 17}) {
        settings.CycleType = randomType;
        EXPECT_EQ(CycleChoiceIndex(settings), 2) << "the engine draws at random for " << randomType;
    }
    settings.Cycle = false;
    settings.CycleType = 1;
    EXPECT_EQ(CycleChoiceIndex(settings), 0);
}

TEST(CycleChoiceTest, EachRowRoundTripsAndDontCycleKeepsCycleType) {
    MemoryRegStore store;
    Settings settings(store);
    for (int row : {0, 1, 2, 1, 0, 2}) {
        ApplyCycleChoice(settings, row);
        EXPECT_EQ(CycleChoiceIndex(settings), row);
    }
    ApplyCycleChoice(settings, 2);
    EXPECT_EQ(settings.CycleType, 0);
    ApplyCycleChoice(settings, 1);
    EXPECT_EQ(settings.CycleType, 1);

    settings.CycleType = 5; // hand-edited
    ApplyCycleChoice(settings, 0);
    EXPECT_FALSE(settings.Cycle);
    EXPECT_EQ(settings.CycleType, 5);
    settings.Cycle = true;
    EXPECT_EQ(CycleChoiceIndex(settings), 2);
}

TEST_F(PresetEditsTest, NewPresetIsAppendedSelectedAndHasEveryBehaviourOn) {
    m_settings.SelectPreset(3);
    int index = AddNewPreset(m_settings);
    ASSERT_EQ(index, 8);
    ASSERT_EQ(m_settings.m_apPresets.size(), 9u);
    EXPECT_EQ(PresetNames(m_settings).front(), "Fireworks") << "the others stay in place";
    ExpectCurrent(m_settings, 8, "New Preset");
    const Preset& preset = *m_settings.m_pCurrentPreset;
    for (int state : preset.m_anTypeStates)
        EXPECT_EQ(state, TypeOn);
    const Preset fresh("reference");
    EXPECT_EQ(preset.Worms, fresh.Worms);
    EXPECT_EQ(preset.InitialWorms, fresh.InitialWorms);
    EXPECT_EQ(preset.WormSize, fresh.WormSize);
    EXPECT_EQ(preset.Colormap, 0);
    EXPECT_FALSE(preset.Recycle);
    EXPECT_FALSE(preset.Spawn);
    EXPECT_FALSE(preset.StartInCenter);

    EXPECT_EQ(AddNewPreset(m_settings), 9) << "a second one goes after the first";
    ExpectCurrent(m_settings, 9, "New Preset");

    // A stored number that named no preset finds the one appended at it.
    m_settings.CurrentPreset = 10;
    int added = m_settings.AddPreset(std::make_unique<Preset>("Eleventh"));
    EXPECT_EQ(added, 10);
    ExpectCurrent(m_settings, 10, "Eleventh");
}

TEST_F(PresetEditsTest, DeletingTheFirstKeepsRowZeroShowingTheNext) {
    m_settings.SelectPreset(0);
    DeleteCurrentPreset(m_settings);
    ASSERT_EQ(m_settings.m_apPresets.size(), 7u);
    ExpectCurrent(m_settings, 0, "Ice Flower");
}

TEST_F(PresetEditsTest, DeletingAnotherSelectsTheOneAbove) {
    m_settings.SelectPreset(4); // Dragon Flies
    DeleteCurrentPreset(m_settings);
    ExpectCurrent(m_settings, 3, "Catherine Wheel");
    m_settings.SelectPreset(6); // The Dark Side, now last
    DeleteCurrentPreset(m_settings);
    ExpectCurrent(m_settings, 5, "Tentacles");
    EXPECT_EQ(PresetNames(m_settings),
              (std::vector<std::string>{"Fireworks", "Ice Flower", "Planetary", "Catherine Wheel",
                                        "Classic Worms", "Tentacles"}));
}

TEST_F(PresetEditsTest, TheLastRemainingPresetIsNeverDeleted) {
    EXPECT_TRUE(CanDeletePreset(m_settings));
    while (m_settings.m_apPresets.size() > 1) {
        m_settings.SelectPreset(static_cast<int>(m_settings.m_apPresets.size()) - 1);
        DeleteCurrentPreset(m_settings);
    }
    EXPECT_FALSE(CanDeletePreset(m_settings));
    DeleteCurrentPreset(m_settings);
    ASSERT_EQ(m_settings.m_apPresets.size(), 1u);
    ExpectCurrent(m_settings, 0, "Fireworks");
}

TEST_F(PresetEditsTest, AnOutOfRangeCurrentPresetShowsAndNormalisesToRowZero) {
    for (int stored : {8, 42, -5}) {
        m_settings.CurrentPreset = stored; // as a hand-edited store loads it
        EXPECT_EQ(PresetListSelection(m_settings), 0) << stored;
        EXPECT_EQ(NormaliseCurrentPreset(m_settings), 0);
        ExpectCurrent(m_settings, 0, "Fireworks");
    }
    m_settings.SelectPreset(7);
    EXPECT_EQ(PresetListSelection(m_settings), 7);
    EXPECT_EQ(NormaliseCurrentPreset(m_settings), 7);
    ExpectCurrent(m_settings, 7, "The Dark Side");

    // An out-of-range number shows preset 0, so Delete removes preset 0.
    m_settings.CurrentPreset = 42;
    DeleteCurrentPreset(m_settings);
    ExpectCurrent(m_settings, 0, "Ice Flower");
}

TEST(DelayFieldTest, DigitsWithSurroundingBlanksParse) {
    EXPECT_EQ(ParseDelaySeconds("0"), 0);
    EXPECT_EQ(ParseDelaySeconds("100"), 100);
    EXPECT_EQ(ParseDelaySeconds("007"), 7);
    EXPECT_EQ(ParseDelaySeconds("  30 "), 30);
    EXPECT_EQ(ParseDelaySeconds("\t45\t"), 45);
    EXPECT_EQ(ParseDelaySeconds(std::to_string(Cap)), Cap);
}

TEST(DelayFieldTest, AnythingButAnUnsignedNumberGivesNothing) {
    for (const char* text : {"", "   ", "abc", "12a", "1 2", "-5", "+5", "3.5", "0x10"})
        EXPECT_EQ(ParseDelaySeconds(text), std::nullopt) << '"' << text << '"';
}

TEST(DelayFieldTest, LargeValuesAndOverlongDigitsClampToTheTimerCap) {
    EXPECT_EQ(ParseDelaySeconds(std::to_string(Cap + 1)), Cap);
    EXPECT_EQ(ParseDelaySeconds("5000000"), Cap);
    EXPECT_EQ(ParseDelaySeconds("4294967296"), Cap);
    EXPECT_EQ(ParseDelaySeconds("99999999999999999999"), Cap);
    EXPECT_EQ(ParseDelaySeconds(" 99999999999999999999x"), std::nullopt)
        << "a bad character after the cap is reached still rejects the text";
}

TEST(DialogGeometryTest, DpiScalingIsExactAt96AndRoundsHalvesAwayFromZero) {
    for (int px : {0, 1, 7, 13, -13, 500})
        EXPECT_EQ(ScaleForDpi(px, 96), px);
    EXPECT_EQ(ScaleForDpi(13, 192), 26);
    EXPECT_EQ(ScaleForDpi(-7, 192), -14);
    EXPECT_EQ(ScaleForDpi(1, 144), 2) << "1.5 rounds up";
    EXPECT_EQ(ScaleForDpi(-1, 144), -2) << "-1.5 rounds away from zero";
    EXPECT_EQ(ScaleForDpi(5, 120), 6) << "6.25";
    EXPECT_EQ(ScaleForDpi(3, 120), 4) << "3.75";
    EXPECT_EQ(ScaleForDpi(10000000, 960), 100000000) << "the product exceeds an int";
}

TEST(DialogGeometryTest, IconButtonCentresLabelAndIconOnEitherSide) {
    // 100 wide, label 40, icon 20: 40 spare, so the pair starts 20 in.
    const Rect button{0, 0, 100, 30};
    IconButtonLayout right = LayOutIconButton(button, 40, true, 20);
    EXPECT_EQ(right.textX, 20);
    EXPECT_EQ(right.iconX, 60);
    IconButtonLayout left = LayOutIconButton(button, 40, false, 20);
    EXPECT_EQ(left.iconX, 20);
    EXPECT_EQ(left.textX, 40);

    // An offset rectangle: x = 10 + (110 - 50 - 10 - 20) / 2 = 25, a right icon at 25 + 10 + 40.
    const Rect offset{10, 0, 110, 30};
    IconButtonLayout offsetRight = LayOutIconButton(offset, 40, true, 20);
    EXPECT_EQ(offsetRight.textX, 25);
    EXPECT_EQ(offsetRight.iconX, 75);
    IconButtonLayout offsetLeft = LayOutIconButton(offset, 40, false, 20);
    EXPECT_EQ(offsetLeft.iconX, 25);
    EXPECT_EQ(offsetLeft.textX, 45);

    // Too narrow: (49 - 40 - 20) / 2 = -11 / 2 truncates to -5, not -6.
    IconButtonLayout narrow = LayOutIconButton(Rect{0, 0, 49, 30}, 40, false, 20);
    EXPECT_EQ(narrow.iconX, -5);
    EXPECT_EQ(narrow.textX, 15);
}

TEST(DialogGeometryTest, TitleBandPanelOriginAndShrinkFromTop) {
    const Rect window{100, 50, 500, 450};
    EXPECT_EQ(TitleBandClientRect(window, 4, 3, 20), (Rect{104, 73, 496, 447}));

    Point origin = PanelOrigin(Rect{300, 100, 700, 400}, 180, 120);
    EXPECT_EQ(origin.x, 120);
    EXPECT_EQ(origin.y, 280);

    EXPECT_EQ(ShrinkFromTop(window, 30), (Rect{100, 80, 500, 450}));
    EXPECT_EQ(ShrinkFromTop(window, -10), (Rect{100, 40, 500, 450}));
}
