#include "linux/Options.h"

#include "linux/VideoFormat.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

constexpr int MaxSide = 16384;
constexpr int MaxFrames = 1000000;
// GIF delays are hundredths of a second and viewers slow down anything shorter than two.
constexpr int MaxFps = 50;

std::optional<long long> ParseInteger(const std::string& text) {
    if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text[0])) || text[0] == '-'))
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0')
        return std::nullopt;
    return value;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    auto w = ParseInteger(text.substr(0, x));
    auto h = ParseInteger(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > MaxSide || *h > MaxSide)
        return false;
    width = static_cast<int>(*w);
    height = static_cast<int>(*h);
    return true;
}

const char* ModeOption(Mode mode) {
    switch (mode) {
    case Mode::Saver:
        return "--saver";
    case Mode::WindowId:
        return "--window-id";
    case Mode::Root:
        return "--root";
    case Mode::Gif:
        return "--gif";
    case Mode::Png:
        return "--png";
    case Mode::Video:
        return "--video";
    case Mode::List:
        return "--list";
    case Mode::Config:
        return "--config";
    default:
        return "";
    }
}

} // namespace

std::optional<unsigned long> ParseWindowId(const std::string& text) {
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, 0);
    // X11 resource ids are 29 bits.
    if (errno != 0 || *end != '\0' || value == 0 || value > 0x1FFFFFFFull)
        return std::nullopt;
    return static_cast<unsigned long>(value);
}

ParseResult ParseOptions(const std::vector<std::string>& args, const char* xscreensaverWindow) {
    ParseResult result;
    Options& o = result.options;
    std::optional<Mode> mode;
    std::optional<Mode> helpOrVersion;
    bool exportOnlyGiven = false;
    std::string exportOnlyName;

    auto fail = [&](const std::string& message) {
        result.error = message;
        return result;
    };

    auto setMode = [&](Mode m) -> bool {
        if (mode && *mode != m) {
            result.error =
                std::string(ModeOption(*mode)) + " and " + ModeOption(m) + " cannot be combined";
            return false;
        }
        mode = m;
        return true;
    };

    struct OptionInfo {
        const char* longName;
        char shortName;
        bool takesValue;
    };
    static const OptionInfo knownOptions[] = {
        {"help", 'h', false},
        {"version", 'V', false},
        {"saver", 's', false},
        {"window-id", 0, true},
        {"root", 0, false},
        {"gif", 0, true},
        {"png", 0, true},
        {"video", 0, true},
        {"list", 'l', false},
        {"frames", 'n', true},
        {"size", 0, true},
        {"preset", 'p', true},
        {"seed", 0, true},
        {"fps", 0, true},
        {"cpu", 0, true},
        {"double-pixels", 0, false},
        {"fast-smoothing", 0, false},
        {"no-cycle", 0, false},
        {"settings", 0, true},
        {"config", 'c', false},
        {"screenshots", 0, true},
    };

    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        // XScreenSaver starts its hacks with single-dash -root and -window-id.
        if (arg == "-root" || arg == "-window-id")
            arg = "-" + arg;

        const OptionInfo* option = nullptr;
        std::optional<std::string> inlineValue;
        std::string shown = arg;
        if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
            std::string name = arg.substr(2);
            size_t eq = name.find('=');
            if (eq != std::string::npos) {
                inlineValue = name.substr(eq + 1);
                name = name.substr(0, eq);
            }
            shown = "--" + name;
            for (const OptionInfo& s : knownOptions)
                if (name == s.longName)
                    option = &s;
        } else if (arg.size() == 2 && arg[0] == '-' && arg[1] != '-') {
            for (const OptionInfo& s : knownOptions)
                if (s.shortName == arg[1])
                    option = &s;
        } else if (arg.size() > 2 && arg[0] == '-' && arg[1] != '-') {
            // -n300 / -pFire: a short option with its value attached.
            for (const OptionInfo& s : knownOptions)
                if (s.shortName == arg[1] && s.takesValue) {
                    option = &s;
                    inlineValue = arg.substr(2);
                    shown = arg.substr(0, 2);
                }
        }
        if (!option) {
            if (arg.empty() || arg[0] != '-' || arg == "-")
                return fail("unexpected argument '" + arg + "'");
            return fail("unknown option '" + arg + "'");
        }

        std::string value;
        if (option->takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else {
                if (i + 1 >= args.size())
                    return fail(shown + " needs a value");
                value = args[++i];
            }
        } else if (inlineValue) {
            return fail(shown + " takes no value");
        }

        const std::string name = option->longName;
        auto badValue = [&](const std::string& what) {
            return fail(shown + ": '" + value + "' is not " + what);
        };
        auto integerIn = [&](long long low, long long high, std::optional<long long>& out) {
            out = ParseInteger(value);
            return out && *out >= low && *out <= high;
        };
        std::optional<long long> number;

        if (name == "help" || name == "version") {
            // Help wins over version, whatever the order.
            if (helpOrVersion != Mode::Help)
                helpOrVersion = name == "help" ? Mode::Help : Mode::Version;
            continue;
        }
        if (name == "saver") {
            if (!setMode(Mode::Saver))
                return result;
        } else if (name == "window-id") {
            auto id = ParseWindowId(value);
            if (!id)
                return badValue("a window id (decimal or 0x-hexadecimal)");
            if (!setMode(Mode::WindowId))
                return result;
            o.windowId = *id;
        } else if (name == "root") {
            if (!setMode(Mode::Root))
                return result;
        } else if (name == "gif" || name == "png" || name == "video") {
            if (value.empty())
                return fail(shown + " needs a file name");
            if (!setMode(name == "gif" ? Mode::Gif : name == "png" ? Mode::Png : Mode::Video))
                return result;
            o.output = value;
        } else if (name == "list") {
            if (!setMode(Mode::List))
                return result;
        } else if (name == "frames") {
            if (!integerIn(1, MaxFrames, number))
                return badValue("a frame count from 1 to " + std::to_string(MaxFrames));
            o.frames = static_cast<int>(*number);
            exportOnlyGiven = true;
            exportOnlyName = shown;
        } else if (name == "size") {
            if (!ParseSize(value, o.width, o.height))
                return badValue("a size WxH (1 to " + std::to_string(MaxSide) + " each)");
            o.sizeGiven = true;
        } else if (name == "preset") {
            if (value.empty())
                return fail(shown + " needs a preset name or index");
            o.preset = value;
        } else if (name == "seed") {
            if (!integerIn(0, 0xFFFFFFFFll, number))
                return badValue("a seed from 0 to 4294967295");
            o.seed = static_cast<uint32_t>(*number);
        } else if (name == "fps") {
            if (!integerIn(1, MaxFps, number))
                return badValue("a frame rate from 1 to " + std::to_string(MaxFps));
            o.fps = static_cast<int>(*number);
            exportOnlyGiven = true;
            exportOnlyName = shown;
        } else if (name == "cpu") {
            if (!integerIn(1, 100, number))
                return badValue("a percentage from 1 to 100");
            o.cpu = static_cast<int>(*number);
        } else if (name == "double-pixels") {
            o.doublePixels = true;
        } else if (name == "fast-smoothing") {
            o.fastSmoothing = true;
        } else if (name == "no-cycle") {
            o.noCycle = true;
        } else if (name == "config") {
            if (!setMode(Mode::Config))
                return result;
        } else if (name == "screenshots") {
            if (value.empty())
                return fail(shown + " needs a folder");
            o.screenshotDir = value;
        } else if (name == "settings") {
            if (value.empty())
                return fail(shown + " needs a file name");
            o.settingsPath = value;
        }
    }

    if (helpOrVersion) {
        o.mode = *helpOrVersion;
        return result;
    }

    if (mode == Mode::Root && xscreensaverWindow) {
        auto id = ParseWindowId(xscreensaverWindow);
        if (!id)
            return fail("XSCREENSAVER_WINDOW: '" + std::string(xscreensaverWindow) +
                        "' is not a window id");
        mode = Mode::WindowId;
        o.windowId = *id;
    } else if (!mode && xscreensaverWindow && *xscreensaverWindow) {
        auto id = ParseWindowId(xscreensaverWindow);
        if (!id)
            return fail("XSCREENSAVER_WINDOW: '" + std::string(xscreensaverWindow) +
                        "' is not a window id");
        mode = Mode::WindowId;
        o.windowId = *id;
    }
    o.mode = mode.value_or(Mode::Window);

    const bool exporting = o.mode == Mode::Gif || o.mode == Mode::Png || o.mode == Mode::Video;
    if (exportOnlyGiven && !exporting)
        return fail(exportOnlyName + " needs --gif or --png or --video");
    // The editor writes what it shows: an override for this run would be saved as if chosen.
    if (o.mode == Mode::Config &&
        (o.preset || o.cpu || o.seed || o.doublePixels || o.fastSmoothing || o.noCycle))
        return fail("--config edits the settings file; run overrides do not apply");
    if (!o.screenshotDir.empty() && o.mode != Mode::Config)
        return fail("--screenshots needs --config");
    if (o.sizeGiven && !exporting && o.mode != Mode::Window)
        return fail("--size needs --gif, --png, --video or the plain window");
    if (o.mode == Mode::Video) {
        const VideoFormat format = VideoFormatOf(o.output);
        if (format == VideoFormat::Unknown)
            return fail("--video: '" + o.output + "' does not end in .mp4 or .webm");
        const std::string problem = VideoSizeProblem(format, o.width, o.height);
        if (!problem.empty())
            return fail("--video: " + problem);
    }
    return result;
}

const char* UsageText() {
    return R"(Usage: lumenkite [MODE] [OPTIONS]
Glowing particle swarms, shown in a window, as a screensaver, or rendered to a file.

Modes (the default is a resizable window):
  -s, --saver            full-screen saver: any key, click or mouse movement ends it
      --window-id ID     draw into an existing X11 window (decimal or 0x-hex);
                         $XSCREENSAVER_WINDOW does the same
      --root             draw on the root window (XScreenSaver's window when it runs us)
      --gif FILE         render without a display to an animated GIF
      --png FILE         render without a display; write the last frame as a PNG
      --video FILE       render without a display to a video: H.264 in MP4 or VP9
                         in WebM, as FILE ends in .mp4 or .webm
  -l, --list             list the presets and colormaps with their indices
  -c, --config           edit the settings file in a window
      --screenshots DIR  with --config: save a picture of each page of the
                         editor in DIR and quit (works on a virtual display)
  -h, --help             show this help
  -V, --version          show the version

Rendering to a file:
  -n, --frames N         frames to render (default 300)
      --size WxH         picture size (default 640x400; also the window's first size;
                         even for an MP4)
      --fps N            frame rate of the GIF or video and of its clock, 1 to 50
                         (default 30)
      --seed N           seed the random source: the same seed gives the same file

Overrides for this run (the settings file is never written):
  -p, --preset NAME|INDEX  start with this preset
      --cpu PERCENT        share of the processor to spend drawing (window modes)
      --double-pixels      draw at half resolution, doubled
      --fast-smoothing     the faster, coarser smoothing
      --no-cycle           stay on one preset
      --settings FILE      read settings from FILE instead of the default file

Keys in the window: Esc or Q quit, N/P next/previous preset, F full screen,
R restart, Space pause.
)";
}
