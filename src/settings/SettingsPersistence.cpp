#include "settings/ErrorReport.h"
#include "settings/RegKey.h"
#include "settings/RegistryValues.h"
#include "settings/Settings.h"
#include "settings/StoredValue.h"
#include "support/Trace.h"

#include <algorithm>
#include <span>

namespace {

// In stored order. CurrentPreset, and on saving the preset count, go between Cycle and
// FastSmoothing.
constexpr StoredValue<Settings> g_aGlobalValues[] = {
    {"DoublePixels", &Settings::DoublePixels, false},
    {"RGB", &Settings::RGB, true},
    {"CPU", &Settings::CPU, 60},
    {"CycleType", &Settings::CycleType, 1},
    {"Cycle", &Settings::Cycle, true},
    {"FastSmoothing", &Settings::FastSmoothing, false},
    {"Delay", &Settings::Delay, 100},
    {"DelayRange", &Settings::DelayRange, 30},
    {"TransitionFrames", &Settings::TransitionFrames, 64},
    {"AllMonitors", &Settings::AllMonitors, true},
};
constexpr size_t GlobalValuesBeforeCurrentPreset = 5;
constexpr std::span<const StoredValue<Settings>> g_aGlobalValuesBefore =
    std::span(g_aGlobalValues).first(GlobalValuesBeforeCurrentPreset);
constexpr std::span<const StoredValue<Settings>> g_aGlobalValuesAfter =
    std::span(g_aGlobalValues).subspan(GlobalValuesBeforeCurrentPreset);

const char* const g_aBuiltInColormaps[] = {
    "Summer Evening:00001830:71780057:C2FFC000:FFFFFFFF:",
    "Night Sky:00000000:D30000BE:EE000000:FFFFFFFF:",
    "Magma:00771C2B:10BE0000:2FFFCB00:56FFFFFF:80DCE8FF:FFF2FAFF:",
    "Brown smoke:00654D30:96B99543:FF2B1805:",
    "Fireworks:00000000:D24E4E4E:DFC20000:E9EF6F00:F4FFFF00:FDFFFFFF:",
    "Ghost:00000000:8400FF00:FF000000:",
    "Clouds:006ABCFF:359CBEF1:6FC9DEFF:7BC4DAFF:8BFFFFFF:FFFFFFFF:",
    "Specks:00000000:9C000000:CD370081:EF81BAFF:FF81BAFF:",
    "The Dark Side:00000000:05FF007F:0A7FFF00:0E007FFF:13000000:FF000000:",
    "Neon:00000000:410000FF:FF0000FF:",
    "Fire:00000000:55FF0000:AAFFFF00:FFFFFFFF:",
    "Ice:00FFFFFF:606464FF:80B4B4FF:A4C8C8FF:FFFFFFFF:",
    "Milw0rm:00000000:045B2642:18792B44:22945F7D:57945F7D:FF925D77:",
    "Disease:00000000:40DC0000:80FFFFFF:C06E00DC:FF000000:",
    "White:00000001:2AFFFFFF:FFFFFFFF:",
};

// A damaged count must not keep a load busy for hours looking up billions of missing entries; no
// store this program writes holds anywhere near this many presets or colormaps.
constexpr int MaxStoredItems = 10000;

int StoredCount(RegKey& key, const char* name) {
    return std::min(ReadRegInt(key, name, 0), MaxStoredItems);
}

std::string Numbered(const char* prefix, size_t i) {
    return prefix + std::to_string(i);
}

} // namespace

void Settings::Load() {
    m_apPresets.clear();
    m_apColormaps.clear();

    std::unique_ptr<RegKey> key = m_pStore->CreateRootKey();
    if (!key)
        ReportError("Unable to open registry", "Error", m_pStore->FailureReason());

    int presets = key ? StoredCount(*key, "Presets") : 0;
    for (int i = 0; i < presets; ++i) {
        std::unique_ptr<RegKey> subKey = key->OpenSubKey(Numbered("Preset", i));
        if (!subKey)
            continue;
        auto preset = std::make_unique<Preset>("");
        preset->Load(*subKey);
        m_apPresets.push_back(std::move(preset));
    }
    if (m_apPresets.empty())
        CreateFactoryPresets();

    if (key) {
        for (const StoredValue<Settings>& value : g_aGlobalValuesBefore)
            value.Read(*key, *this);
        CurrentPreset = ReadRegInt(*key, "CurrentPreset", 0);
        for (const StoredValue<Settings>& value : g_aGlobalValuesAfter)
            value.Read(*key, *this);
        LoadColormaps(*key);
    } else {
        for (const StoredValue<Settings>& value : g_aGlobalValues)
            value.Reset(*this);
        CreateBuiltInColormaps();
    }
    key.reset();

    // To SelectPreset -1 means no preset at all, which would leave the saver nothing to show.
    if (CurrentPreset == -1)
        CurrentPreset = 0;
    SelectPreset(CurrentPreset);
}

void Settings::LoadColormaps(RegKey& key) {
    int count = StoredCount(key, "nColormaps");
    if (count == 0) {
        CreateBuiltInColormaps();
        return;
    }
    for (int i = 0; i < count; ++i) {
        std::string text;
        if (!ReadRegString(key, Numbered("Colormap", i).c_str(), text))
            continue;
        auto colormap = std::make_unique<Colormap>();
        if (colormap->Read(text))
            m_apColormaps.push_back(std::move(colormap));
    }
    // Every user of GetColormap needs at least one colormap.
    if (m_apColormaps.empty())
        CreateBuiltInColormaps();
}

void Settings::Save() {
    std::unique_ptr<RegKey> key = m_pStore->CreateRootKey();
    if (!key) {
        ReportError("Unable to open registry key", "Error", m_pStore->FailureReason());
        return;
    }
    for (const StoredValue<Settings>& value : g_aGlobalValuesBefore)
        value.Write(*key, *this);
    WriteRegInt(*key, "CurrentPreset", CurrentPreset);
    WriteRegInt(*key, "Presets", static_cast<int>(m_apPresets.size()));
    for (const StoredValue<Settings>& value : g_aGlobalValuesAfter)
        value.Write(*key, *this);
    for (size_t i = 0; i < m_apPresets.size(); ++i) {
        std::unique_ptr<RegKey> subKey = key->CreateSubKey(Numbered("Preset", i));
        if (subKey)
            m_apPresets[i]->Save(*subKey);
    }
    SaveColormaps(*key);
    key.reset();
    if (!m_pStore->Flush())
        ReportError("Unable to open registry key", "Error", m_pStore->FailureReason());
}

void Settings::SaveColormaps(RegKey& key) {
    WriteRegInt(key, "nColormaps", static_cast<int>(m_apColormaps.size()));
    for (size_t i = 0; i < m_apColormaps.size(); ++i) {
        std::string text;
        m_apColormaps[i]->GetText(text);
        WriteRegString(key, Numbered("Colormap", i).c_str(), text);
    }
}

void Settings::CreateBuiltInColormaps() {
    Trace(TraceInfo, "Settings: Creating colormaps");
    for (const char* text : g_aBuiltInColormaps) {
        auto colormap = std::make_unique<Colormap>();
        colormap->Read(text);
        m_apColormaps.push_back(std::move(colormap));
    }
}
