#include "TestSupport.h"
#include "settings/IgnoringCase.h"
#include "settings/RegTree.h"
#include "settings/RegistryValues.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Le32(uint32_t v) {
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
            static_cast<uint8_t>(v >> 24)};
}

std::vector<uint8_t> Text(const std::string& s) {
    return {s.begin(), s.end()};
}

RegSection& PresetKey(MemoryRegStore& store, int i) {
    return store.m_tree.Create(SettingsRootPath() + "\\Preset" + std::to_string(i));
}

} // namespace

TEST(RegistryValues, IntsAreFourByteBinaryAndOtherTypesFallBack) {
    MemoryRegStore store;
    RegSection& root = store.Root();
    root.Set("Binary", RegBinary, Le32(0xFFFFFFF6));
    root.Set("Dword", RegDword, Le32(1));
    root.Set("Short", RegBinary, {0x34, 0x12});
    root.Set("Long", RegBinary, {1, 0, 0, 0, 0, 0});
    root.Set("Two", RegBinary, Le32(2));
    auto key = store.CreateRootKey();

    TraceCapture trace;
    EXPECT_EQ(ReadRegInt(*key, "Binary", 5), -10);
    EXPECT_TRUE(trace.Contains("Settings: Regvalue Binary = -10"));
    EXPECT_EQ(ReadRegInt(*key, "Dword", 7), 7);
    EXPECT_TRUE(trace.Contains("Settings: Regvalue Dword does not exist, using default of 7"));
    EXPECT_EQ(ReadRegInt(*key, "Short", 7), 0x1234);
    EXPECT_EQ(ReadRegInt(*key, "Long", 7), 7);
    EXPECT_EQ(ReadRegInt(*key, "Missing", 9), 9);
    EXPECT_FALSE(ReadRegBool(*key, "Two", true));
    EXPECT_FALSE(ReadRegBool(*key, "Dword", false));
    EXPECT_TRUE(ReadRegBool(*key, "Missing", true));

    EXPECT_FALSE(WriteRegInt(*key, "Written", -2));
    EXPECT_TRUE(trace.Contains("Settings: Regvalue Written set to -2"));
    const RegValue* written = store.Root().Find("Written");
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->type, RegBinary);
    EXPECT_EQ(written->data, Le32(0xFFFFFFFE));
}

TEST(RegistryValues, StringsStopAtTheFirstZeroAndIgnoreTheType) {
    MemoryRegStore store;
    store.Root().Set("Terminated", RegSz, {'a', 'b', 0, 'c'});
    store.Root().Set("AsBinary", RegBinary, Text("xyz"));
    auto key = store.CreateRootKey();
    std::string value = "unchanged";
    EXPECT_FALSE(ReadRegString(*key, "Missing", value));
    EXPECT_EQ(value, "unchanged");
    EXPECT_TRUE(ReadRegString(*key, "Terminated", value));
    EXPECT_EQ(value, "ab");
    EXPECT_TRUE(ReadRegString(*key, "AsBinary", value));
    EXPECT_EQ(value, "xyz");

    WriteRegString(*key, "Name", "Planetary");
    EXPECT_EQ(store.Root().Find("Name")->type, RegSz);
    EXPECT_EQ(store.Root().Find("Name")->data, Text("Planetary")); // no terminator
}

TEST(SettingsPersistence, SaveThenLoadRoundTripsEverything) {
    MemoryRegStore store;
    {
        Settings settings(store);
        settings.DoublePixels = true;
        settings.RGB = false;
        settings.CPU = 35;
        settings.CycleType = 2;
        settings.Cycle = false;
        settings.SelectPreset(3);
        settings.FastSmoothing = true;
        settings.Delay = 12;
        settings.DelayRange = 4;
        settings.TransitionFrames = 9;
        settings.AllMonitors = false;
        Preset& preset = *settings.GetPreset(5);
        preset.Name = "Renamed \"Classic\"";
        preset.Spawn = true;
        preset.m_anTypeStates[WormTypeMissile] = TypeKeepOne;
        settings.m_apColormaps[2]->m_strName = "Lava";
        settings.Save();
    }
    const RegValue* presets = store.Root().Find("Presets");
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(presets->type, RegBinary);
    EXPECT_EQ(presets->data, Le32(8));
    EXPECT_EQ(store.Root().Find("nColormaps")->data, Le32(15));
    EXPECT_EQ(store.Root().Find("Colormap10")->data,
              Text("Fire:00000000:55FF0000:AAFFFF00:FFFFFFFF:"));
    EXPECT_NE(store.m_tree.Find(SettingsRootPath() + "\\Preset7"), nullptr);

    TraceCapture trace;
    Settings loaded(store);
    EXPECT_FALSE(trace.Contains("Settings: Creating presets"));
    EXPECT_FALSE(trace.Contains("Settings: Creating colormaps"));
    EXPECT_TRUE(loaded.DoublePixels);
    EXPECT_FALSE(loaded.RGB);
    EXPECT_EQ(loaded.CPU, 35);
    EXPECT_EQ(loaded.CycleType, 2);
    EXPECT_FALSE(loaded.Cycle);
    EXPECT_EQ(loaded.CurrentPreset, 3);
    EXPECT_TRUE(loaded.FastSmoothing);
    EXPECT_EQ(loaded.Delay, 12);
    EXPECT_EQ(loaded.DelayRange, 4);
    EXPECT_EQ(loaded.TransitionFrames, 9);
    EXPECT_FALSE(loaded.AllMonitors);
    EXPECT_EQ(loaded.m_pCurrentPreset, loaded.GetPreset(3));
    ASSERT_EQ(loaded.m_apPresets.size(), 8u);
    const Preset& classic = *loaded.GetPreset(5);
    EXPECT_EQ(classic.Name, "Renamed \"Classic\"");
    EXPECT_TRUE(classic.Spawn);
    EXPECT_EQ(classic.Colormap, 10);
    EXPECT_EQ(classic.m_anTypeStates[WormTypeMissile], TypeKeepOne);
    EXPECT_EQ(classic.m_anTypeStates[WormTypeWormy], TypeOn);
    EXPECT_EQ(loaded.m_apColormaps[2]->m_strName, "Lava");
}

TEST(SettingsPersistence, MissingSubkeysAreSkippedAndLeftBehindOnSave) {
    MemoryRegStore store;
    store.Root().Set("Presets", RegBinary, Le32(3));
    PresetKey(store, 0).Set("Name", RegSz, Text("Zero"));
    PresetKey(store, 2).Set("Name", RegSz, Text("Two"));
    PresetKey(store, 2).Set("Worms", RegBinary, Le32(77));

    Settings settings(store);
    ASSERT_EQ(settings.m_apPresets.size(), 2u);
    EXPECT_EQ(settings.GetPreset(1)->Name, "Two");
    EXPECT_EQ(settings.GetPreset(1)->Worms, 77);

    // A subkey holding only Name loads the stored-value defaults: every behaviour off.
    const Preset& zero = *settings.GetPreset(0);
    EXPECT_EQ(zero.Worms, 50);
    EXPECT_EQ(zero.InitialWorms, 10);
    EXPECT_EQ(zero.WormSize, 1);
    EXPECT_EQ(zero.Colormap, 1);
    for (int state : zero.m_anTypeStates)
        EXPECT_EQ(state, TypeOff);

    settings.Save();
    EXPECT_EQ(store.Root().Find("Presets")->data, Le32(2));
    EXPECT_EQ(PresetKey(store, 1).Find("Name")->data, Text("Two"));
    EXPECT_EQ(PresetKey(store, 2).Find("Name")->data, Text("Two")); // stale, never deleted
}

// Counts near INT_MAX once kept the load looking up missing entries for hours.
TEST(SettingsPersistence, HugeCountsLoadWhatIsThere) {
    MemoryRegStore store;
    store.Root().Set("Presets", RegBinary, Le32(0x7FFFFFFF));
    store.Root().Set("nColormaps", RegBinary, Le32(0x7FFFFFF0));
    store.Root().Set("Colormap1", RegSz, Text("Only:00000000:FFFFFFFF:"));
    PresetKey(store, 3).Set("Name", RegSz, Text("Three"));
    Settings settings(store);
    ASSERT_EQ(settings.m_apPresets.size(), 1u);
    EXPECT_EQ(settings.GetPreset(0)->Name, "Three");
    ASSERT_EQ(settings.m_apColormaps.size(), 1u);
    EXPECT_EQ(settings.m_apColormaps[0]->m_strName, "Only");
}

// A stored -1 once loaded as no current preset at all, and the engine dereferenced it.
TEST(SettingsPersistence, StoredMinusOneCurrentPresetSelectsTheFirst) {
    MemoryRegStore store;
    store.Root().Set("CurrentPreset", RegBinary, Le32(0xFFFFFFFF));
    Settings settings(store);
    EXPECT_EQ(settings.CurrentPreset, 0);
    ASSERT_NE(settings.m_pCurrentPreset, nullptr);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.GetPreset(0));
}

TEST(SettingsPersistence, OutOfRangeCurrentPresetSelectsTheFirstButKeepsItsNumber) {
    MemoryRegStore store;
    store.Root().Set("CurrentPreset", RegBinary, Le32(99));
    Settings settings(store);
    EXPECT_EQ(settings.CurrentPreset, 99);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.GetPreset(0));
}

TEST(SettingsPersistence, MalformedColormapsAreDroppedAndAnEmptyLibraryFallsBack) {
    MemoryRegStore store;
    store.Root().Set("nColormaps", RegBinary, Le32(2));
    store.Root().Set("Colormap0", RegSz, Text("Mine:00000000:FF123456:"));
    store.Root().Set("Colormap1", RegSz, Text("Broken:0FF00:"));
    {
        Settings settings(store);
        ASSERT_EQ(settings.m_apColormaps.size(), 1u);
        EXPECT_EQ(settings.GetColormap(0)->m_strName, "Mine");
    }

    store.Root().Set("Colormap0", RegSz, Text("no colon"));
    TraceCapture trace;
    Settings fallback(store);
    EXPECT_TRUE(trace.Contains("Settings: Creating colormaps"));
    EXPECT_EQ(fallback.m_apColormaps.size(), 15u);
    ASSERT_NE(fallback.GetColormap(0), nullptr);
}

namespace {

// The value names of the numbers and flags read or written, in trace order.
std::vector<std::string> TracedValueNames(const TraceCapture& trace) {
    const std::string prefix = "Settings: Regvalue ";
    std::vector<std::string> names;
    for (const std::string& line : trace.m_lines)
        if (line.rfind(prefix, 0) == 0)
            names.push_back(
                line.substr(prefix.size(), line.find(' ', prefix.size()) - prefix.size()));
    return names;
}

} // namespace

TEST(SettingsPersistence, ValuesAreReadAndWrittenInTheirStoredOrder) {
    const std::vector<std::string> leading = {"DoublePixels", "RGB",   "CPU",
                                              "CycleType",    "Cycle", "CurrentPreset"};
    const std::vector<std::string> trailing = {"FastSmoothing", "Delay", "DelayRange",
                                               "TransitionFrames", "AllMonitors"};
    std::vector<std::string> preset = {"Worms",   "InitialWorms", "WormSize",     "Colormap",
                                       "Recycle", "Spawn",        "StartInCenter"};
    for (const WormTypeInfo& type : g_aWormTypes)
        preset.push_back(type.registryName);

    MemoryRegStore store;
    Settings settings(store);
    std::vector<std::string> expected = leading;
    expected.push_back("Presets");
    expected.insert(expected.end(), trailing.begin(), trailing.end());
    for (size_t i = 0; i < settings.m_apPresets.size(); ++i)
        expected.insert(expected.end(), preset.begin(), preset.end());
    expected.push_back("nColormaps");
    {
        TraceCapture trace;
        settings.Save();
        EXPECT_EQ(TracedValueNames(trace), expected);
    }

    expected = {"Presets"};
    for (size_t i = 0; i < settings.m_apPresets.size(); ++i)
        expected.insert(expected.end(), preset.begin(), preset.end());
    expected.insert(expected.end(), leading.begin(), leading.end());
    expected.insert(expected.end(), trailing.begin(), trailing.end());
    expected.push_back("nColormaps");
    TraceCapture trace;
    Settings loaded(store);
    EXPECT_EQ(TracedValueNames(trace), expected);
}

namespace {
class BrokenStore final : public RegStore {
public:
    std::unique_ptr<RegKey> CreateRootKey() override { return nullptr; }
    std::string FailureReason() const override { return "no registry here"; }
};
} // namespace

TEST(SettingsPersistence, UnopenableKeyIsReportedOnceAndDefaultsAreUsed) {
    ErrorCapture errors;
    BrokenStore store;
    Settings settings(store);
    ASSERT_EQ(errors.m_errors.size(), 1u);
    EXPECT_EQ(errors.m_errors[0].title, "Unable to open registry");
    EXPECT_EQ(errors.m_errors[0].text, "Error");
    EXPECT_EQ(errors.m_errors[0].detail, "no registry here");
    EXPECT_EQ(settings.m_apPresets.size(), 8u);
    EXPECT_EQ(settings.m_apColormaps.size(), 15u);

    settings.Save();
    ASSERT_EQ(errors.m_errors.size(), 2u);
    EXPECT_EQ(errors.m_errors[1].title, "Unable to open registry key");
}

TEST(IgnoringCase, OnlyAsciiLettersFold) {
    EXPECT_TRUE(SameIgnoringCase("HKEY_Current_User\\Preset7", "hkey_current_user\\PRESET7"));
    EXPECT_FALSE(SameIgnoringCase("Preset", "Presets"));
    EXPECT_FALSE(SameIgnoringCase("", "a"));
    // Neighbours of the letters that a fold by setting bit 5 would wrongly match.
    EXPECT_FALSE(SameIgnoringCase("@[\\]^", "`{|}~"));
    // Non-ASCII bytes stay as they are: U+00C9 against U+00E9 in UTF-8, then in Latin-1.
    EXPECT_FALSE(SameIgnoringCase("\xC3\x89", "\xC3\xA9"));
    EXPECT_FALSE(SameIgnoringCase("\xC9", "\xE9"));
    EXPECT_TRUE(SameIgnoringCase("Caf\xC3\xA9", "CAF\xC3\xA9"));
}
