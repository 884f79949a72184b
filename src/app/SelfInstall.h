#pragma once

#include <string>

// Offers to install a program started from a file that is not a screensaver file. True: carry on
// with the normal start-up; false: end the program now (declined, failed, or installed).
bool SelfInstallIfRequired();

// Whether the path names a screensaver file: its last three characters are "SCR" in any case.
bool IsScreensaverFile(const std::string& path);
// The directory with exactly one trailing backslash.
std::string WithTrailingBackslash(const std::string& directory);
