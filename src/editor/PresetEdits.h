#pragma once

class Settings;

// Appends a preset named "New Preset" with every behaviour on, makes it current and returns its
// index.
int AddNewPreset(Settings& settings);

// Deletes the current preset and selects the one above it, or the new first one when the first
// was deleted. The last remaining preset is never deleted.
void DeleteCurrentPreset(Settings& settings);

// The list row showing the stored current preset: its number when inside the list, else 0.
int PresetListSelection(const Settings& settings);

// Makes the settings agree with PresetListSelection and returns that row.
int NormaliseCurrentPreset(Settings& settings);

bool CanDeletePreset(const Settings& settings);
