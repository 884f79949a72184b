#pragma once

#include <cstdint>
#include <string>

// What the screensaver machinery asked for.
enum class AppMode { None, Config, Saver, Preview };

struct CommandLine {
    AppMode mode = AppMode::None;
    // The text a window handle is read from (configuration owner or preview parent); empty when
    // the command line names no window.
    std::string handleText;
    // The handle parsed from handleText; 0 means no window.
    uintptr_t handle = 0;
};

// Skips one leading '-' or '/', then compares only the next character, case-sensitively.
bool IsSwitch(const char* argument, char letter);

// A window handle written in decimal: leading blanks and a sign are allowed, reading stops at the
// first non-digit, and text without digits gives 0.
uintptr_t ParseWindowHandle(const char* text);

// Picks the mode from the arguments, argv[0] being the program. At most one mode matches.
CommandLine ParseCommandLine(int argc, const char* const* argv);
