#include "settings/Preset.h"

#include "settings/RegistryValues.h"

Preset::Preset(const std::string& name) : Name(name) {}

void Preset::SetAllTypesOff() {
    for (int& state : m_anTypeStates)
        state = TypeOff;
}

void Preset::Load(RegKey& key) {
    Worms = ReadRegInt(key, "Worms", 50);
    InitialWorms = ReadRegInt(key, "InitialWorms", 10);
    WormSize = ReadRegInt(key, "WormSize", 1);
    Colormap = ReadRegInt(key, "Colormap", 1);
    Recycle = ReadRegBool(key, "Recycle", false);
    Spawn = ReadRegBool(key, "Spawn", false);
    StartInCenter = ReadRegBool(key, "StartInCenter", false);
    for (int i = 0; i < WormTypeCount; ++i)
        m_anTypeStates[i] = ReadRegInt(key, g_aWormTypes[i].registryName, TypeOff);
    Name.clear();
    ReadRegString(key, "Name", Name);
}

void Preset::Save(RegKey& key) const {
    WriteRegInt(key, "Worms", Worms);
    WriteRegInt(key, "InitialWorms", InitialWorms);
    WriteRegInt(key, "WormSize", WormSize);
    WriteRegInt(key, "Colormap", Colormap);
    WriteRegBool(key, "Recycle", Recycle);
    WriteRegBool(key, "Spawn", Spawn);
    WriteRegBool(key, "StartInCenter", StartInCenter);
    for (int i = 0; i < WormTypeCount; ++i)
        WriteRegInt(key, g_aWormTypes[i].registryName, m_anTypeStates[i]);
    WriteRegString(key, "Name", Name);
}
