#pragma once

#include <functional>

class Preview;
class Settings;

// What every page edits and tells: the settings, the preview drawing them, and the window,
// which counts each edit as an unsaved change.
struct EditorContext {
    Settings& settings;
    Preview& preview;
    std::function<void()> changed;
};
