#include "settings/Preset.h"

#include "settings/RegistryValues.h"
#include "settings/StoredValue.h"

namespace {

// In stored order; the type states and Name follow them.
constexpr StoredValue<Preset> g_aPresetValues[] = {
    {"Worms", &Preset::Worms, 50},
    {"InitialWorms", &Preset::InitialWorms, 10},
    {"WormSize", &Preset::WormSize, 1},
    {"Colormap", &Preset::Colormap, 1},
    {"Recycle", &Preset::Recycle, false},
    {"Spawn", &Preset::Spawn, false},
    {"StartInCenter", &Preset::StartInCenter, false},
};

} // namespace

Preset::Preset(const std::string& name) : Name(name) {
    for (const StoredValue<Preset>& value : g_aPresetValues)
        value.Reset(*this);
    // A new preset shows the first colormap; only a stored one without the value reads 1.
    Colormap = 0;
}

void Preset::SetAllTypesOff() {
    for (int& state : m_anTypeStates)
        state = TypeOff;
}

void Preset::Load(RegKey& key) {
    for (const StoredValue<Preset>& value : g_aPresetValues)
        value.Read(key, *this);
    for (int i = 0; i < WormTypeCount; ++i)
        m_anTypeStates[i] = ReadRegInt(key, g_aWormTypes[i].registryName, TypeOff);
    Name.clear();
    ReadRegString(key, "Name", Name);
}

void Preset::Save(RegKey& key) const {
    for (const StoredValue<Preset>& value : g_aPresetValues)
        value.Write(key, *this);
    for (int i = 0; i < WormTypeCount; ++i)
        WriteRegInt(key, g_aWormTypes[i].registryName, m_anTypeStates[i]);
    WriteRegString(key, "Name", Name);
}
