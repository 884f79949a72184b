#pragma once

#include <string>

// The texts both editors show around the settings: the About box, the questions they ask and
// the notices they give.
inline constexpr const char* AboutTitle = "About Lumenkite";
inline constexpr const char* AboutText = "Lumenkite 2.0\nby Brass Pelican";
inline constexpr const char* DeletePresetTitle = "Not so fast...";
inline constexpr const char* UnsavedChangesTitle = "Unsaved changes";

std::string DeletePresetQuestion(const std::string& presetName);
std::string UnsavedChangesQuestion(const std::string& path);
// The file at path could not be read for `failure`; the editor shows the defaults.
std::string LoadFailureNotice(const std::string& failure, const std::string& path);
std::string SaveFailureNotice(const std::string& failure);
