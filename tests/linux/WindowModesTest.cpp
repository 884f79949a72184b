// gtest first: X11's headers define None and Bool as macros.
#include <gtest/gtest.h>

#include "Process.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

// Where `text` ends in the program's trace, from `from` on; npos when it is not there (yet).
size_t After(const std::string& err, const std::string& text, size_t from = 0) {
    const size_t at = err.find(text, from);
    return at == std::string::npos ? at : at + text.size();
}

// The running counts of the trace's "App: N frames shown" lines from `from` on.
std::vector<int> FramesShown(const std::string& err, size_t from) {
    std::vector<int> counts;
    const std::string tag = "] App: ";
    for (size_t at = err.find(tag, from); at != std::string::npos; at = err.find(tag, at + 1)) {
        int count = 0;
        char rest[8] = {};
        if (std::sscanf(err.c_str() + at + tag.size(), "%d frames %6s", &count, rest) == 2 &&
            std::string(rest) == "shown")
            counts.push_back(count);
    }
    return counts;
}

// The count in "<what> after N frames shown" at `at`.
int CountAt(const std::string& err, size_t at) {
    int count = -1;
    std::sscanf(err.c_str() + at, " after %d", &count);
    return count;
}

// Each test gets its own X server, so nothing depends on the machine having a display.
class LinuxWindowModes : public ::testing::Test {
protected:
    void SetUp() override {
        // A window may vanish between listing and asking for its name; Xlib's default handler
        // would end the test process for that.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        if (access("/usr/bin/Xvfb", X_OK) != 0)
            GTEST_SKIP() << "Xvfb is not installed (scripts/install-deps installs it)";
        XServer xvfb = StartXvfb("800x600x24");
        m_pServer = std::move(xvfb.process);
        m_strDisplay = xvfb.display;
        if (!m_strDisplay.empty())
            m_pDisplay = XOpenDisplay(m_strDisplay.c_str());
        ASSERT_NE(m_pDisplay, nullptr) << "no Xvfb came up";
        WriteSettingsFile(m_dir.File("s.reg"), "\"CPU\"=hex:64,00,00,00\r\n");
    }
    void TearDown() override {
        if (m_pDisplay)
            XCloseDisplay(m_pDisplay);
        if (m_pServer)
            m_pServer->Signal(SIGTERM), m_pServer->Wait(5000);
    }

    std::vector<std::string> Env() const { return {"DISPLAY=" + m_strDisplay, "WAYLAND_DISPLAY="}; }
    // The program's trace goes to its standard error, which says why it ended.
    std::unique_ptr<Child> Start(std::vector<std::string> args) {
        args.insert(args.begin(), {LUMENKITE_EXE, "--settings", m_dir.File("s.reg")});
        std::vector<std::string> env = Env();
        env.push_back("LUMENKITE_TRACE=-");
        return std::make_unique<Child>(args, env);
    }
    void Xdotool(const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildResult r = RunChild(argv, Env(), 10000);
        ASSERT_EQ(r.status, 0) << r.err;
    }
    // A mapped window of the test's own, for --window-id, and its id as the option takes it.
    Window MapForeignWindow(int width, int height) {
        const Window window = XCreateSimpleWindow(m_pDisplay, DefaultRootWindow(m_pDisplay), 10, 10,
                                                  width, height, 0, 0, 0);
        XMapWindow(m_pDisplay, window);
        XSync(m_pDisplay, False);
        return window;
    }
    static std::string IdOf(Window window) {
        char id[32];
        std::snprintf(id, sizeof id, "0x%lx", window);
        return id;
    }
    // Unmapped, the program's window draws nothing over the seconds it stays so, not one frame;
    // mapped again, it draws on.
    void ExpectNoFramesWhileUnmapped(Child& program, Window window) {
        ASSERT_TRUE(WaitFor(
            [&] {
                const std::vector<int> counts = FramesShown(program.ErrSoFar(), 0);
                return !counts.empty() && counts.back() > 0;
            },
            10000ms))
            << program.ErrSoFar();
        XUnmapWindow(m_pDisplay, window);
        XSync(m_pDisplay, False);
        size_t hidden = std::string::npos;
        ASSERT_TRUE(WaitFor(
            [&] {
                return (hidden = After(program.ErrSoFar(), "App: Hidden")) != std::string::npos;
            },
            10000ms))
            << program.ErrSoFar();
        // The first count after it may still take a frame that was under way.
        std::vector<int> counts;
        ASSERT_TRUE(
            WaitFor([&] { return (counts = FramesShown(program.ErrSoFar(), hidden)).size() >= 3; },
                    10000ms));
        XMapWindow(m_pDisplay, window);
        XSync(m_pDisplay, False);
        std::string err;
        size_t shown = std::string::npos;
        ASSERT_TRUE(WaitFor(
            [&] {
                err = program.ErrSoFar();
                return (shown = After(err, "App: Shown", hidden)) != std::string::npos;
            },
            10000ms))
            << err;
        const int atShow = CountAt(err, shown);
        EXPECT_EQ(atShow, counts.front()) << err;
        EXPECT_TRUE(WaitFor(
            [&] {
                const std::vector<int> later = FramesShown(program.ErrSoFar(), shown);
                return !later.empty() && later.back() > atShow;
            },
            10000ms))
            << program.ErrSoFar();
    }
    // The top-level window whose name starts with `prefix`, once it is viewable; 0 until then.
    Window NamedWindow(const std::string& prefix) {
        Window root = DefaultRootWindow(m_pDisplay), parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(m_pDisplay, root, &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XFetchName(m_pDisplay, children[i], &name) && name) {
                    if (std::string(name).rfind(prefix, 0) == 0 &&
                        XGetWindowAttributes(m_pDisplay, children[i], &attributes) &&
                        attributes.map_state == IsViewable)
                        found = children[i];
                    XFree(name);
                }
            }
            XFree(children);
        }
        return found;
    }
    Window SaverWindow() { return NamedWindow("LumenkiteScreenSaverWindow"); }
    bool SaverWindowShown() { return SaverWindow() != 0; }
    // Pixels of the window that are not black, within the rectangle from (x0, y0).
    int LitPixels(Window window, int x0, int y0, int width, int height) {
        XImage* image = XGetImage(m_pDisplay, window, 0, 0, width, height, AllPlanes, ZPixmap);
        if (!image)
            return 0;
        int lit = 0;
        for (int y = y0; y < height; ++y)
            for (int x = x0; x < width; ++x)
                lit += (XGetPixel(image, x, y) & 0xFFFFFF) != 0;
        XDestroyImage(image);
        return lit;
    }

    TempDir m_dir;
    std::string m_strDisplay;
    std::unique_ptr<Child> m_pServer;
    Display* m_pDisplay = nullptr;
};

TEST_F(LinuxWindowModes, SaverEndsOnAKey) {
    auto saver = Start({"--saver"});
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = SaverWindow()) != 0; }, 10000ms));
    std::this_thread::sleep_for(300ms);
    ASSERT_TRUE(saver->Running());
    // Without a window manager nothing gives the saver the keyboard focus: give it here, to the
    // window found above. Asking xdotool to search for the window and focus it failed now and
    // then on a busy machine with status 1 and no message, the way its search ends when it
    // finds nothing.
    XSetInputFocus(m_pDisplay, window, RevertToParent, CurrentTime);
    XSync(m_pDisplay, False);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_pDisplay, &focus, &revert);
    ASSERT_EQ(focus, window);
    // Typed as by a keyboard, into the window that has the focus.
    Xdotool({"key", "x"});
    ChildResult r = saver->Wait(10000);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Exiting screensaver on KeyDown"), std::string::npos) << r.err;
}

TEST_F(LinuxWindowModes, SaverEndsOnTheSecondOfTwoDifferentMousePositions) {
    Xdotool({"mousemove", "100", "100"});
    auto saver = Start({"--saver"});
    ASSERT_TRUE(WaitFor([&] { return SaverWindowShown(); }, 10000ms));
    // The window appearing under the pointer reports its position: recorded, not an exit.
    std::this_thread::sleep_for(700ms);
    ASSERT_TRUE(saver->Running());
    // Middle button and wheel are not among the inputs that end it.
    Xdotool({"click", "2"});
    std::this_thread::sleep_for(500ms);
    ASSERT_TRUE(saver->Running());
    Xdotool({"mousemove", "101", "100"});
    ChildResult r = saver->Wait(10000);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 0) << r.err;
    // The server delivers the click before the move, so an exit on the click would say so here
    // however late the saver read its events.
    EXPECT_NE(r.err.find("Exiting screensaver on MouseMove"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("ButtonDown"), std::string::npos) << r.err;
}

TEST_F(LinuxWindowModes, WindowIdDrawsIntoAForeignWindowAndFollowsItsSize) {
    const Window window = MapForeignWindow(200, 120);
    auto hack = Start({"--window-id", IdOf(window), "--preset", "Classic Worms"});
    EXPECT_TRUE(WaitFor([&] { return LitPixels(window, 0, 0, 200, 120) > 50; }, 10000ms));

    XResizeWindow(m_pDisplay, window, 320, 200);
    XSync(m_pDisplay, False);
    // The new area beyond the old size gets drawn too.
    EXPECT_TRUE(WaitFor([&] { return LitPixels(window, 200, 120, 320, 200) > 20; }, 10000ms));
    ASSERT_TRUE(hack->Running());

    hack->Signal(SIGTERM);
    ChildResult r = hack->Wait(5000);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 0) << r.err;
    XDestroyWindow(m_pDisplay, window);
}

TEST_F(LinuxWindowModes, WindowDrawsNothingWhileUnmapped) {
    auto program = Start({"--size", "160x100"});
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = NamedWindow("Lumenkite")) != 0; }, 10000ms));
    ExpectNoFramesWhileUnmapped(*program, window);
}

TEST_F(LinuxWindowModes, WindowIdDrawsNothingWhileUnmapped) {
    const Window window = MapForeignWindow(160, 100);
    auto hack = Start({"--window-id", IdOf(window)});
    ExpectNoFramesWhileUnmapped(*hack, window);
    XDestroyWindow(m_pDisplay, window);
}

// A small window at the full processor share could draw hundreds of frames a second. Xvfb's mode
// has no rate, so the program paces by 60 Hz: the title's count of a little over a second's frames
// is at most 61.
TEST_F(LinuxWindowModes, WindowDrawsNoMoreFramesThanTheDisplayShows) {
    auto program = Start({"--size", "160x100"});
    // The title changes only when the count does: each new count is taken once.
    std::vector<int> rates;
    auto look = [&] {
        char* name = nullptr;
        Window window = NamedWindow("Lumenkite - ");
        int fps = -1;
        if (window && XFetchName(m_pDisplay, window, &name) && name) {
            if (std::sscanf(name, "Lumenkite - %d fps", &fps) == 1 &&
                (rates.empty() || rates.back() != fps))
                rates.push_back(fps);
            XFree(name);
        }
        return !rates.empty();
    };
    ASSERT_TRUE(WaitFor(look, 10000ms)) << program->ErrSoFar();
    for (int i = 0; i < 30; ++i) {
        std::this_thread::sleep_for(100ms);
        look();
    }
    EXPECT_NE(program->ErrSoFar().find("App: Display refreshes at 0 Hz"), std::string::npos);
    for (int fps : rates) {
        EXPECT_GT(fps, 0);
        EXPECT_LE(fps, 61);
    }
}

// The ways a hack embedded by a screensaver daemon is ended: its window destroyed, alone or
// right after SIGTERM, and the X server going away. Each must end the program, not leave it
// ticking with its main thread stuck in X.
TEST_F(LinuxWindowModes, WindowIdEndsWhenItsWindowIsDestroyed) {
    for (bool terminated : {false, true}) {
        SCOPED_TRACE(terminated ? "SIGTERM, then the window destroyed" : "the window destroyed");
        const Window window = MapForeignWindow(240, 160);
        auto hack = Start({"--window-id", IdOf(window), "--preset", "Classic Worms"});
        ASSERT_TRUE(WaitFor([&] { return LitPixels(window, 0, 0, 240, 160) > 50; }, 10000ms));
        if (terminated)
            hack->Signal(SIGTERM);
        XDestroyWindow(m_pDisplay, window);
        XSync(m_pDisplay, False);
        ChildResult r = hack->Wait(10000);
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.status, 0) << r.err;
    }
}

TEST_F(LinuxWindowModes, RootEndsWhenTheServerGoes) {
    auto hack = Start({"--root", "--preset", "Classic Worms"});
    Window root = DefaultRootWindow(m_pDisplay);
    ASSERT_TRUE(WaitFor([&] { return LitPixels(root, 0, 0, 800, 600) > 50; }, 10000ms));
    // Gone before the server, which would take this connection down with it.
    XCloseDisplay(m_pDisplay);
    m_pDisplay = nullptr;
    m_pServer->Signal(SIGKILL);
    ChildResult r = hack->Wait(10000);
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.status, 1) << r.err;
    // exit() from Xlib's own handler tore down the statics under the still ticking worker, which
    // the sanitizer builds report.
    EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << r.err;
}

TEST_F(LinuxWindowModes, MissingWindowIsBadInputAndNoDisplayIsNamed) {
    ChildResult r = Start({"--window-id", "0x7fffff0"})->Wait(10000);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("0x7fffff0"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Try 'lumenkite --help'"), std::string::npos) << r.err;

    for (const char* mode : {"--saver", "--root"}) {
        ChildResult none = RunChild({LUMENKITE_EXE, "--settings", m_dir.File("s.reg"), mode},
                                    {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER="}, 10000);
        EXPECT_EQ(none.status, 1) << mode;
        EXPECT_NE(none.err.find("no display available; use --gif FILE to render without one"),
                  std::string::npos)
            << none.err;
    }
}

} // namespace
