#include "settings/Settings.h"
#include "TestSupport.h"
#include "settings/RegTree.h"

#include <gtest/gtest.h>

#include <array>

namespace {

void ExpectGlobalDefaults(const Settings& settings) {
    EXPECT_FALSE(settings.DoublePixels);
    EXPECT_TRUE(settings.RGB);
    EXPECT_EQ(settings.CPU, 60);
    EXPECT_EQ(settings.CycleType, 1);
    EXPECT_TRUE(settings.Cycle);
    EXPECT_EQ(settings.CurrentPreset, 0);
    EXPECT_FALSE(settings.FastSmoothing);
    EXPECT_EQ(settings.Delay, 100);
    EXPECT_EQ(settings.DelayRange, 30);
    EXPECT_EQ(settings.TransitionFrames, 64);
}

} // namespace

TEST(SettingsDefaults, EmptyStoreGivesFactoryPresetsBuiltInColormapsAndDefaults) {
    TraceCapture trace;
    MemoryRegStore store;
    Settings settings(store);

    EXPECT_TRUE(trace.Contains("Settings: Creating presets"));
    EXPECT_TRUE(trace.Contains("Settings: Creating colormaps"));
    const char* names[] = {"Fireworks",    "Ice Flower",    "Planetary", "Catherine Wheel",
                           "Dragon Flies", "Classic Worms", "Tentacles", "The Dark Side"};
    ASSERT_EQ(settings.m_apPresets.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(settings.m_apPresets[i]->Name, names[i]);
    ASSERT_EQ(settings.m_apColormaps.size(), 15u);
    EXPECT_EQ(settings.m_apColormaps[0]->m_strName, "Summer Evening");
    EXPECT_EQ(settings.m_apColormaps[14]->m_strName, "White");

    ExpectGlobalDefaults(settings);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.m_apPresets[0].get());

    // Loading writes nothing back.
    EXPECT_TRUE(store.Root().values.empty());
}

TEST(SettingsDefaults, FactoryPresetRowsAndTheirColormaps) {
    MemoryRegStore store;
    Settings settings(store);
    const Preset& planetary = *settings.GetPreset(2);
    EXPECT_EQ(planetary.Colormap, 1);
    EXPECT_EQ(planetary.Worms, 50);
    EXPECT_EQ(planetary.InitialWorms, 1);
    EXPECT_EQ(planetary.WormSize, 3);
    EXPECT_FALSE(planetary.Recycle);
    for (int type = 0; type < WormTypeCount; ++type)
        EXPECT_EQ(planetary.m_anTypeStates[type],
                  (type == WormTypeSpinner || type == WormTypeDot) ? TypeOn : TypeOff);

    const Preset& iceFlower = *settings.GetPreset(1);
    EXPECT_TRUE(iceFlower.Recycle);
    EXPECT_TRUE(iceFlower.StartInCenter);
    EXPECT_EQ(iceFlower.m_anTypeStates[WormTypeTwisty], TypeOn);

    const char* colormapNames[] = {"Fireworks", "Ice",  "Night Sky", "Summer Evening",
                                   "Neon",      "Fire", "Ghost",     "The Dark Side"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(settings.GetColormap(settings.GetPreset(i)->Colormap)->m_strName,
                  colormapNames[i]);
}

TEST(SettingsLookups, OutOfRangeIndicesFallBackToTheFirstEntry) {
    MemoryRegStore store;
    Settings settings(store);
    EXPECT_EQ(settings.GetPreset(-1), nullptr);
    EXPECT_EQ(settings.GetPreset(8), settings.GetPreset(0));
    EXPECT_EQ(settings.GetPreset(-5), settings.GetPreset(0));
    EXPECT_EQ(settings.GetColormap(15), settings.GetColormap(0));
    EXPECT_EQ(settings.GetColormap(-1), settings.GetColormap(0));
}

TEST(SettingsPresets, NewPresetDefaultsAndAllTypesOff) {
    Preset preset("New Preset");
    EXPECT_EQ(preset.Worms, 50);
    EXPECT_EQ(preset.InitialWorms, 10);
    EXPECT_EQ(preset.WormSize, 1);
    EXPECT_EQ(preset.Colormap, 0);
    EXPECT_FALSE(preset.Recycle || preset.Spawn || preset.StartInCenter);
    for (int state : preset.m_anTypeStates)
        EXPECT_EQ(state, TypeOn);
    preset.SetAllTypesOff();
    for (int state : preset.m_anTypeStates)
        EXPECT_EQ(state, TypeOff);
}

TEST(SettingsPresets, SelectingKeepsTheNumberAndFindsThePresetByTheLookupRule) {
    MemoryRegStore store;
    Settings settings(store);
    settings.SelectPreset(5);
    EXPECT_EQ(settings.CurrentPreset, 5);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.m_apPresets[5].get());
    settings.SelectPreset(42);
    EXPECT_EQ(settings.CurrentPreset, 42);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.m_apPresets[0].get());
}

TEST(SettingsPresets, DeletingShiftsLaterPresetsAndKeepsNumberAndCurrentAgreeing) {
    MemoryRegStore store;
    Settings settings(store);
    auto expectCurrent = [&](int index, const Preset* preset, const char* what) {
        EXPECT_EQ(settings.CurrentPreset, index) << what;
        EXPECT_EQ(settings.m_pCurrentPreset, preset) << what;
        EXPECT_EQ(settings.GetPreset(settings.CurrentPreset), settings.m_pCurrentPreset) << what;
    };

    settings.SelectPreset(4);
    Preset* fourth = settings.GetPreset(4);
    settings.DeletePreset(6); // a later one
    EXPECT_EQ(settings.m_apPresets.size(), 7u);
    EXPECT_EQ(settings.GetPreset(6)->Name, "The Dark Side");
    expectCurrent(4, fourth, "later deleted");

    settings.DeletePreset(1); // an earlier one: the same preset stays current, one place down
    EXPECT_EQ(settings.GetPreset(1)->Name, "Planetary");
    expectCurrent(3, fourth, "earlier deleted");

    Preset* next = settings.GetPreset(4);
    settings.DeletePreset(3); // the current one: its successor takes its number
    expectCurrent(3, next, "current deleted");

    int last = static_cast<int>(settings.m_apPresets.size()) - 1;
    settings.SelectPreset(last);
    settings.DeletePreset(last); // the current one at the end: nothing follows it
    expectCurrent(0, settings.m_apPresets[0].get(), "last deleted");

    while (settings.m_apPresets.size() > 1)
        settings.DeletePreset(1);
    settings.DeletePreset(0); // the only one
    EXPECT_TRUE(settings.m_apPresets.empty());
    expectCurrent(0, nullptr, "all deleted");
}

TEST(SettingsPresets, PresetPaletteComesFromItsColormapAndColormapZeroWithoutOne) {
    MemoryRegStore store;
    Settings settings(store);
    auto expand = [&](int colormap) {
        std::array<PaletteEntry, 256> table{};
        settings.GetColormap(colormap)->FillColorTable(table.data());
        return table;
    };
    std::array<PaletteEntry, 256> palette{};
    settings.FillPresetPalette(settings.GetPreset(1), palette.data()); // Ice Flower: colormap 11
    EXPECT_EQ(palette, expand(11));
    EXPECT_NE(palette, expand(0));
    settings.FillPresetPalette(nullptr, palette.data());
    EXPECT_EQ(palette, expand(0));
}

TEST(SettingsDelays, TheRangeIsClampedToTheDelayAndNeverWidened) {
    MemoryRegStore store;
    Settings settings(store);
    settings.Delay = 20;
    settings.DelayRange = 50;
    settings.ClampDelayRange();
    EXPECT_EQ(settings.DelayRange, 20);
    settings.DelayRange = 7;
    settings.ClampDelayRange();
    EXPECT_EQ(settings.DelayRange, 7);
    EXPECT_EQ(settings.Delay, 20);
    settings.Delay = 0;
    settings.ClampDelayRange();
    EXPECT_EQ(settings.DelayRange, 0);
}

TEST(SettingsColormaps, DeletingRenumbersThePresetsThatReferToLaterColormaps) {
    MemoryRegStore store;
    Settings settings(store);
    Colormap* formerFour = settings.GetColormap(4);
    Preset& fireworks = *settings.GetPreset(0); // colormap 4
    Preset& catherine = *settings.GetPreset(3); // colormap 0
    Preset& planetary = *settings.GetPreset(2); // colormap 1
    planetary.Colormap = 3;

    settings.DeleteColormap(3);
    EXPECT_EQ(settings.m_apColormaps.size(), 14u);
    EXPECT_EQ(fireworks.Colormap, 3);
    EXPECT_EQ(settings.GetColormap(fireworks.Colormap), formerFour);
    EXPECT_EQ(catherine.Colormap, 0);
    EXPECT_EQ(planetary.Colormap, 0); // pointed at the deleted one
}

namespace {
class UnopenableStore final : public RegStore {
public:
    std::unique_ptr<RegKey> CreateRootKey() override { return nullptr; }
};
} // namespace

TEST(SettingsDefaults, UnopenableStoreGivesTheSameDefaultsAsAnEmptyOne) {
    ErrorCapture errors;
    UnopenableStore store;
    Settings settings(store);
    ASSERT_EQ(errors.m_errors.size(), 1u);
    ExpectGlobalDefaults(settings);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.GetPreset(0));
}
