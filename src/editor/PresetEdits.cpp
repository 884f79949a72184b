#include "editor/PresetEdits.h"

#include "settings/Settings.h"

#include <memory>

int AddNewPreset(Settings& settings) {
    // A fresh Preset already has every type state at TypeOn.
    int index = settings.AddPreset(std::make_unique<Preset>("New Preset"));
    settings.SelectPreset(index);
    return index;
}

void DeleteCurrentPreset(Settings& settings) {
    if (!CanDeletePreset(settings) || settings.m_apPresets.empty())
        return;
    // The list shows preset 0 for an out-of-range number, so that is the one the user deletes.
    int index = PresetListSelection(settings);
    settings.DeletePreset(index);
    settings.SelectPreset(index > 0 ? index - 1 : 0);
}

int PresetListSelection(const Settings& settings) {
    int current = settings.CurrentPreset;
    int count = static_cast<int>(settings.m_apPresets.size());
    return current >= 0 && current < count ? current : 0;
}

int NormaliseCurrentPreset(Settings& settings) {
    int index = PresetListSelection(settings);
    settings.SelectPreset(index);
    return index;
}

bool CanDeletePreset(const Settings& settings) {
    return settings.m_apPresets.size() != 1;
}
