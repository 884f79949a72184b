#pragma once

#include <string>

// Opens the settings editor on the file and returns once it is closed: the exit status. With a
// screenshot folder, saves a picture of each page there instead and closes by itself.
int RunEditor(const std::string& settingsPath, const std::string& screenshotDir);
