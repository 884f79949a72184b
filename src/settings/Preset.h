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
    int Colormap = 0;
    int Worms = 50;
    int InitialWorms = 10;
    int WormSize = 1;
    bool Recycle = false;
    bool Spawn = false;
    bool StartInCenter = false;
    int m_anTypeStates[WormTypeCount] = {};
};
