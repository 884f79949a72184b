#pragma once

#include <functional>

class Preview;
class Settings;
class SettingsEditor;

// What every page edits and tells: the editor its actions go to, the settings and the preview
// they are drawn on, and the window, which counts each edit as an unsaved change.
struct EditorContext {
    SettingsEditor& editor;
    Settings& settings;
    Preview& preview;
    std::function<void()> changed;
};
