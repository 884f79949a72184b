#pragma once

#include <functional>

class SettingsEditor;

// What every page edits and tells: the editor its actions go to, and the window, which counts
// each edit as an unsaved change.
struct EditorContext {
    SettingsEditor& editor;
    std::function<void()> changed;
};
