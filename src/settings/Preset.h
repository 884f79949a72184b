#pragma once

#include "settings/WormTypes.h"

#include <string>

class RegKey;

// Type states: the behaviour takes part, is off, or keeps exactly one particle alive.
enum TypeState { TypeOn = 0, TypeOff = 1, TypeKeepOne = 2 };

// One named set of worm settings. Fields keep the names they are stored under.
class Preset {
public:
    explicit Preset(const std::string& name);

    void SetAllTypesOff();

    // Stored form: a preset subkey holding the values below and Name.
    void Load(RegKey& key);
    void Save(RegKey& key) const;

    std::string Name;
    // Names and defaults in the stored-value table in Preset.cpp, which the constructor applies.
    int Colormap;
    int Worms;
    int InitialWorms;
    int WormSize;
    bool Recycle;
    bool Spawn;
    bool StartInCenter;
    int m_anTypeStates[WormTypeCount] = {};
};
