#pragma once

#include "settings/Colormap.h"
#include "settings/Preset.h"

#include <memory>
#include <string>
#include <vector>

class RegKey;
class RegStore;

// The one store of everything the user can change. Built complete: construction loads it from
// its backing store, falling back to the factory presets and built-in colormaps.
class Settings {
public:
    // Loads from the default store of this system.
    Settings();
    // Loads from the given store, which must outlive this object.
    explicit Settings(RegStore& store);
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // An index outside the list gives preset 0; -1 gives null.
    Preset* GetPreset(int index) const;
    // Makes preset `index` current. The number is kept as given; the preset is found by
    // GetPreset's rule, so a number past the list shows preset 0.
    void SelectPreset(int index);
    // Appends the preset and returns its index. The current number is kept and selected again, so
    // a number that named no preset before and names the new one now finds it.
    int AddPreset(std::unique_ptr<Preset> preset);
    // Removes the preset and selects again so the current number and preset still agree: the
    // same preset stays current, or, when it was the deleted one, the one that took its place.
    // The survivor is selected before the deleted preset is destroyed.
    void DeletePreset(int index);
    void CreateFactoryPresets();

    // An index outside the library gives colormap 0.
    Colormap* GetColormap(int index) const;
    // Appends the colormap to the library and returns its index.
    int AddColormap(std::unique_ptr<Colormap> colormap);
    // Removes the colormap and keeps every preset pointing at the colormap it showed before.
    void DeleteColormap(int index);
    // The colour table of the preset's colormap, colormap 0's for no preset. Left alone when
    // there are no colormaps.
    void FillPresetPalette(const Preset* preset, PaletteEntry palette[256]) const;
    // Keeps the spread of the preset delay no wider than the delay, so that a switch is never
    // due before it was armed. In memory only, as the saver never saves.
    void ClampDelayRange();

    void Save();

    // Stored values without an initialiser take their default from the table in
    // SettingsPersistence.cpp, which Load applies.
    bool DoublePixels;
    int CPU;
    // Not stored: whether a small preview is paced like the full-screen saver.
    bool FullScreenPacing = true;
    int CurrentPreset = 0;
    bool Cycle;
    bool FastSmoothing;
    bool RGB;
    int Delay;
    int DelayRange;
    int CycleType;
    int TransitionFrames;
    // The full-screen saver animates every monitor, not only the primary one.
    bool AllMonitors;
    Preset* m_pCurrentPreset = nullptr;
    std::vector<std::unique_ptr<Preset>> m_apPresets;
    std::vector<std::unique_ptr<Colormap>> m_apColormaps;

private:
    void Load();
    void LoadColormaps(RegKey& key);
    void SaveColormaps(RegKey& key);
    void CreateBuiltInColormaps();

    std::unique_ptr<RegStore> m_pOwnedStore;
    RegStore* m_pStore;
};
