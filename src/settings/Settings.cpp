#include "settings/Settings.h"

#include "settings/RegKey.h"
#include "support/Trace.h"

#include <utility>

namespace {

struct FactoryPreset {
    const char* name;
    int colormap, worms, initialWorms, wormSize;
    bool recycle, spawn, startInCenter;
    int typeOn[2]; // behaviours that take part; -1 ends the list
};

const FactoryPreset g_aFactoryPresets[] = {
    {"Fireworks", 4, 100, 1, 0, true, false, false, {WormTypeFirework, -1}},
    {"Ice Flower", 11, 500, 1, 1, true, false, true, {WormTypeTwisty, -1}},
    {"Planetary", 1, 50, 1, 3, false, false, false, {WormTypeSpinner, WormTypeDot}},
    {"Catherine Wheel", 0, 500, 500, 2, false, false, true, {WormTypeSpinner, -1}},
    {"Dragon Flies", 9, 200, 200, 0, false, false, false, {WormTypeDragon, -1}},
    {"Classic Worms", 10, 500, 1, 1, false, false, false, {WormTypeWormy, -1}},
    {"Tentacles", 5, 500, 1, 0, true, false, true, {WormTypeCurvy, -1}},
    {"The Dark Side", 8, 30, 30, 0, false, false, false, {WormTypeTwisty, -1}},
};

} // namespace

Settings::Settings() : m_pOwnedStore(CreateDefaultRegStore()), m_pStore(m_pOwnedStore.get()) {
    Load();
}

Settings::Settings(RegStore& store) : m_pStore(&store) {
    Load();
}

Settings::~Settings() = default;

Preset* Settings::GetPreset(int index) const {
    if (index == -1)
        return nullptr;
    if (m_apPresets.empty())
        return nullptr;
    if (index < 0 || index >= static_cast<int>(m_apPresets.size()))
        index = 0;
    return m_apPresets[index].get();
}

void Settings::SelectPreset(int index) {
    CurrentPreset = index;
    m_pCurrentPreset = GetPreset(index);
}

void Settings::DeletePreset(int index) {
    if (index < 0 || index >= static_cast<int>(m_apPresets.size()))
        return;
    // Kept alive until the survivor is selected: another thread may still read m_pCurrentPreset.
    std::unique_ptr<Preset> removed = std::move(m_apPresets[index]);
    m_apPresets.erase(m_apPresets.begin() + index);
    int current = CurrentPreset;
    if (index < current)
        --current;
    // Deleting the last preset while it was current: its number would name no preset at all.
    if (current >= static_cast<int>(m_apPresets.size()))
        current = 0;
    SelectPreset(current);
}

int Settings::AddPreset(std::unique_ptr<Preset> preset) {
    m_apPresets.push_back(std::move(preset));
    SelectPreset(CurrentPreset);
    return static_cast<int>(m_apPresets.size()) - 1;
}

void Settings::CreateFactoryPresets() {
    Trace(TraceInfo, "Settings: Creating presets");
    for (const FactoryPreset& row : g_aFactoryPresets) {
        auto preset = std::make_unique<Preset>(row.name);
        preset->SetAllTypesOff();
        preset->Colormap = row.colormap;
        preset->Worms = row.worms;
        preset->InitialWorms = row.initialWorms;
        preset->WormSize = row.wormSize;
        preset->Recycle = row.recycle;
        preset->Spawn = row.spawn;
        preset->StartInCenter = row.startInCenter;
        for (int type : row.typeOn)
            if (type >= 0)
                preset->m_anTypeStates[type] = TypeOn;
        m_apPresets.push_back(std::move(preset));
    }
}

Colormap* Settings::GetColormap(int index) const {
    if (m_apColormaps.empty())
        return nullptr;
    if (index < 0 || index >= static_cast<int>(m_apColormaps.size()))
        index = 0;
    return m_apColormaps[index].get();
}

void Settings::FillPresetPalette(const Preset* preset, PaletteEntry palette[256]) const {
    if (const Colormap* colormap = GetColormap(preset ? preset->Colormap : 0))
        colormap->FillColorTable(palette);
}

void Settings::ClampDelayRange() {
    if (DelayRange > Delay)
        DelayRange = Delay;
}

int Settings::AddColormap(std::unique_ptr<Colormap> colormap) {
    m_apColormaps.push_back(std::move(colormap));
    return static_cast<int>(m_apColormaps.size()) - 1;
}

void Settings::DeleteColormap(int index) {
    if (index < 0 || index >= static_cast<int>(m_apColormaps.size()))
        return;
    m_apColormaps.erase(m_apColormaps.begin() + index);
    for (auto& preset : m_apPresets) {
        if (preset->Colormap == index)
            preset->Colormap = 0;
        else if (preset->Colormap > index)
            --preset->Colormap;
    }
}
