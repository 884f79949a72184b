#include "linux/Options.h"
#include "linux/RunSettings.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

struct Good {
    const char* line;
    const char* env;
    Mode mode;
    std::function<void(const Options&)> check;
};

TEST(LinuxOptions, GoodCommandLines) {
    const Good cases[] = {
        {"", nullptr, Mode::Window, [](const Options& o) { EXPECT_FALSE(o.sizeGiven); }},
        {"-s", nullptr, Mode::Saver, {}},
        {"--saver --preset 3 --cpu 40", nullptr, Mode::Saver,
         [](const Options& o) {
             EXPECT_EQ(o.preset, "3");
             EXPECT_EQ(o.cpu, 40);
         }},
        {"--window-id 0x1e00007", nullptr, Mode::WindowId,
         [](const Options& o) { EXPECT_EQ(o.windowId, 0x1e00007ul); }},
        {"--window-id=12345", nullptr, Mode::WindowId,
         [](const Options& o) { EXPECT_EQ(o.windowId, 12345ul); }},
        {"", "0x400001", Mode::WindowId,
         [](const Options& o) { EXPECT_EQ(o.windowId, 0x400001ul); }},
        {"-root", "0x400001", Mode::WindowId,
         [](const Options& o) { EXPECT_EQ(o.windowId, 0x400001ul); }},
        {"--root", nullptr, Mode::Root, {}},
        {"--gif out.gif", nullptr, Mode::Gif,
         [](const Options& o) {
             EXPECT_EQ(o.output, "out.gif");
             EXPECT_EQ(o.frames, 300);
             EXPECT_EQ(o.width, 640);
             EXPECT_EQ(o.height, 400);
             EXPECT_EQ(o.fps, 30);
             EXPECT_FALSE(o.seed);
         }},
        // An explicit export wins over the XScreenSaver window in the environment.
        {"--gif a.gif --frames 12 --size 320x200 --seed 4294967295 --fps 25", "0x400001", Mode::Gif,
         [](const Options& o) {
             EXPECT_EQ(o.frames, 12);
             EXPECT_EQ(o.width, 320);
             EXPECT_EQ(o.height, 200);
             EXPECT_EQ(o.seed, 4294967295u);
             EXPECT_EQ(o.fps, 25);
         }},
        {"--png=last.png -n5 -pFire --double-pixels --fast-smoothing --no-cycle", nullptr,
         Mode::Png,
         [](const Options& o) {
             EXPECT_EQ(o.output, "last.png");
             EXPECT_EQ(o.frames, 5);
             EXPECT_EQ(o.preset, "Fire");
             EXPECT_TRUE(o.doublePixels && o.fastSmoothing && o.noCycle);
         }},
        {"--video clip.mp4 --size 320x200 --fps 25 -n 50", nullptr, Mode::Video,
         [](const Options& o) { EXPECT_EQ(o.output, "clip.mp4"); }},
        // VP9 takes odd sizes, and the extension may be in capitals.
        {"--video=Clip.WEBM --size 81x51", nullptr, Mode::Video,
         [](const Options& o) { EXPECT_EQ(o.width, 81); }},
        {"--size 800x600", nullptr, Mode::Window,
         [](const Options& o) { EXPECT_EQ(o.width, 800); }},
        {"--settings /x/s.reg -l", nullptr, Mode::List,
         [](const Options& o) { EXPECT_EQ(o.settingsPath, "/x/s.reg"); }},
        // The editor opens even when XScreenSaver's window is in the environment.
        {"--config --settings /x/s.reg --screenshots build", "0x400001", Mode::Config,
         [](const Options& o) {
             EXPECT_EQ(o.settingsPath, "/x/s.reg");
             EXPECT_EQ(o.screenshotDir, "build");
         }},
        {"-c", nullptr, Mode::Config, [](const Options& o) { EXPECT_EQ(o.screenshotDir, ""); }},
        {"--gif a.gif --help", nullptr, Mode::Help, {}},
        {"-V", nullptr, Mode::Version, {}},
    };
    for (const Good& c : cases) {
        SCOPED_TRACE(c.line);
        ParseResult r = ParseOptions(Split(c.line), c.env);
        ASSERT_EQ(r.error, "");
        EXPECT_EQ(r.ExitStatus(), 0);
        EXPECT_EQ(r.options.mode, c.mode);
        if (c.check)
            c.check(r.options);
    }
}

TEST(LinuxOptions, BadCommandLinesNameTheProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"--bogus", "unknown option '--bogus'"},
        {"-x", "unknown option '-x'"},
        {"stray", "unexpected argument 'stray'"},
        {"--gif", "--gif needs a value"},
        {"--gif a.gif --size 0x400", "'0x400' is not a size"},
        {"--gif a.gif --size -5x400", "'-5x400' is not a size"},
        {"--gif a.gif --size 640", "'640' is not a size"},
        {"--gif a.gif --frames 0", "--frames: '0' is not a frame count"},
        {"--gif a.gif --frames -3", "--frames: '-3'"},
        {"--gif a.gif --frames 1x", "--frames: '1x'"},
        {"--gif a.gif --fps 0", "--fps: '0'"},
        {"--gif a.gif --fps 51", "--fps: '51'"},
        {"--gif a.gif --seed 4294967296", "--seed"},
        {"--cpu 0", "--cpu: '0'"},
        {"--window-id 0", "--window-id: '0' is not a window id"},
        {"--window-id zz", "--window-id: 'zz'"},
        {"--saver --gif a.gif", "--saver and --gif cannot be combined"},
        {"--gif a.gif --png b.png", "--gif and --png cannot be combined"},
        {"--frames 10", "--frames needs --gif or --png"},
        {"--saver --size 10x10", "--size needs"},
        {"--saver=yes", "--saver takes no value"},
        {"--config --saver", "--config and --saver cannot be combined"},
        {"--config --cpu 40", "run overrides do not apply"},
        {"--config --no-cycle", "run overrides do not apply"},
        {"--screenshots build", "--screenshots needs --config"},
        {"--video clip.mp4 --gif a.gif", "--video and --gif cannot be combined"},
        {"--video clip.avi", "--video: 'clip.avi' does not end in .mp4 or .webm"},
        {"--video .mp4/clip", "does not end in .mp4 or .webm"},
        {"--video clip.mp4 --size 640x401",
         "even width and height, and 640x401 is not; try 640x402"},
        {"--video clip.mp4 --size 1x2", "try 2x2"},
    };
    for (const auto& [line, message] : cases) {
        SCOPED_TRACE(line);
        ParseResult r = ParseOptions(Split(line), nullptr);
        EXPECT_NE(r.error.find(message), std::string::npos) << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos);
        EXPECT_EQ(r.ExitStatus(), 2);
    }
    ParseResult fromEnv = ParseOptions({}, "nonsense");
    EXPECT_NE(fromEnv.error.find("XSCREENSAVER_WINDOW"), std::string::npos);
}

TEST(LinuxOptions, PresetsByIndexOrNameAndOverridesStayInMemory) {
    MemoryRegStore store;
    Settings settings(store);
    const std::string third = settings.m_apPresets[2]->Name;
    EXPECT_EQ(FindPreset(settings, "2"), 2);
    EXPECT_EQ(FindPreset(settings, third), 2);
    std::string shouted = third;
    for (char& c : shouted)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(FindPreset(settings, shouted), 2);
    EXPECT_EQ(FindPreset(settings, std::to_string(settings.m_apPresets.size())), -1);
    EXPECT_EQ(FindPreset(settings, "no such preset"), -1);

    Options options;
    options.preset = third;
    options.cpu = 35;
    options.noCycle = true;
    options.doublePixels = true;
    std::string error;
    ASSERT_TRUE(ApplyOverrides(options, settings, error));
    EXPECT_EQ(settings.CurrentPreset, 2);
    EXPECT_EQ(settings.m_pCurrentPreset, settings.m_apPresets[2].get());
    EXPECT_EQ(settings.CPU, 35);
    EXPECT_FALSE(settings.Cycle);
    EXPECT_TRUE(settings.DoublePixels);

    options.preset = "missing";
    EXPECT_FALSE(ApplyOverrides(options, settings, error));
    EXPECT_NE(error.find("'missing'"), std::string::npos);
}

} // namespace
