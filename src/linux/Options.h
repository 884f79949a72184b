#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class Mode { Window, Saver, WindowId, Root, Gif, Png, Video, List, Config, Help, Version };

// The command line of the Linux program, checked but not yet applied to the settings (a preset
// name can only be resolved once they are loaded).
struct Options {
    Mode mode = Mode::Window;
    std::string output;        // --gif / --png / --video file
    std::string settingsPath;  // --settings, empty for the default file
    std::string screenshotDir; // --screenshots: the editor saves a picture of each page there
    unsigned long windowId = 0;
    int frames = 300;
    int width = 640;
    int height = 400;
    bool sizeGiven = false;
    int fps = 30;
    std::optional<uint32_t> seed;
    std::optional<std::string> preset;
    std::optional<int> cpu;
    bool doublePixels = false;
    bool fastSmoothing = false;
    bool noCycle = false;
};

struct ParseResult {
    Options options;
    // Empty when the command line is good; otherwise one line naming the problem.
    std::string error;
    int ExitStatus() const { return error.empty() ? 0 : 2; }
};

// args excludes the program name. xscreensaverWindow is $XSCREENSAVER_WINDOW (null when unset):
// it selects the window when no other mode is asked for, and takes the place of the real root
// window for --root, as XScreenSaver expects of its hacks.
ParseResult ParseOptions(const std::vector<std::string>& args, const char* xscreensaverWindow);

// Decimal or 0x-hexadecimal, the whole text, not 0.
std::optional<unsigned long> ParseWindowId(const std::string& text);

const char* UsageText();
constexpr const char* UsageHint = "Try 'lumenkite --help' for more information.";
