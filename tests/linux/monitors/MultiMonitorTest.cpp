// gtest first: X11's headers define None and Bool as macros.
#include <gtest/gtest.h>

#include "Process.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;

// The desk the test's command line gives scripts/with-monitors, on DUMMY0..2, in window
// coordinates of a window over all of them (its corner is the desktop's origin).
struct Monitor {
    const char* output;
    const char* mode;
    const char* pos;
    int x, y, width, height;
};
const Monitor Desk[] = {{"DUMMY0", "1280x800", "1024x0", 1024, 0, 1280, 800},
                        {"DUMMY1", "1024x768", "0x0", 0, 0, 1024, 768},
                        {"DUMMY2", "800x600", "2304x100", 2304, 100, 800, 600}};

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

class LinuxMultiMonitor : public ::testing::Test {
protected:
    void SetUp() override {
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        const char* display = std::getenv("DISPLAY");
        ASSERT_NE(display, nullptr) << "run under scripts/with-monitors";
        m_strDisplay = display;
        m_pDisplay = XOpenDisplay(display);
        ASSERT_NE(m_pDisplay, nullptr);
    }
    void TearDown() override {
        // The next test starts from the whole desk again.
        Plug(Desk[2]);
        if (m_pDisplay)
            XCloseDisplay(m_pDisplay);
    }

    std::unique_ptr<Child> Start(const std::string& globals) {
        WriteSettingsFile(m_dir.File("s.reg"), "\"CPU\"=hex:64,00,00,00\r\n" + globals);
        return std::make_unique<Child>(
            std::vector<std::string>{LUMENKITE_EXE, "--settings", m_dir.File("s.reg"), "--saver"},
            std::vector<std::string>{"DISPLAY=" + m_strDisplay,
                                     "WAYLAND_DISPLAY=", "LUMENKITE_TRACE=-"});
    }
    void Run(const std::vector<std::string>& argv) {
        ChildResult r = RunChild(argv, {"DISPLAY=" + m_strDisplay}, 10000);
        ASSERT_EQ(r.status, 0) << r.err;
    }
    void Unplug(const Monitor& m) { Run({"xrandr", "--output", m.output, "--off"}); }
    void Plug(const Monitor& m) {
        Run({"xrandr", "--output", m.output, "--mode", m.mode, "--pos", m.pos});
    }

    Window SaverWindow() {
        Window root = DefaultRootWindow(m_pDisplay), parent, *children = nullptr;
        unsigned count = 0;
        Window found = 0;
        if (XQueryTree(m_pDisplay, root, &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count && !found; ++i) {
                char* name = nullptr;
                XWindowAttributes attributes;
                if (XFetchName(m_pDisplay, children[i], &name) && name) {
                    if (std::string(name) == "LumenkiteScreenSaverWindow" &&
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
    bool Covers(Window window, int width, int height) {
        XWindowAttributes a;
        return XGetWindowAttributes(m_pDisplay, window, &a) && a.x == 0 && a.y == 0 &&
               a.width == width && a.height == height;
    }

    // The monitor's pixels in the window, 0 where black.
    std::vector<unsigned long> Grab(Window window, const Monitor& m) {
        std::vector<unsigned long> pixels;
        XImage* image =
            XGetImage(m_pDisplay, window, m.x, m.y, m.width, m.height, AllPlanes, ZPixmap);
        if (!image)
            return pixels;
        for (int y = 0; y < m.height; ++y)
            for (int x = 0; x < m.width; ++x)
                pixels.push_back(XGetPixel(image, x, y) & 0xFFFFFF);
        XDestroyImage(image);
        return pixels;
    }
    // Lit somewhere in each quarter of the monitor, and different from the grab before.
    bool Animates(Window window, const Monitor& m) {
        std::vector<unsigned long> before = Grab(window, m);
        std::this_thread::sleep_for(200ms);
        std::vector<unsigned long> after = Grab(window, m);
        if (after.empty() || after == before)
            return false;
        for (int qy = 0; qy < 2; ++qy) {
            for (int qx = 0; qx < 2; ++qx) {
                bool lit = false;
                for (int y = qy * m.height / 2; y < (qy + 1) * m.height / 2 && !lit; ++y)
                    for (int x = qx * m.width / 2; x < (qx + 1) * m.width / 2 && !lit; ++x)
                        lit = after[static_cast<size_t>(y) * m.width + x] != 0;
                if (!lit)
                    return false;
            }
        }
        return true;
    }
    bool Black(Window window, const Monitor& m) {
        std::vector<unsigned long> pixels = Grab(window, m);
        return !pixels.empty() &&
               std::all_of(pixels.begin(), pixels.end(), [](unsigned long p) { return p == 0; });
    }

    // Without a window manager nothing gives the saver the keyboard focus: given here.
    void EndOnAKey(Child& saver, Window window) {
        XSetInputFocus(m_pDisplay, window, RevertToParent, CurrentTime);
        XSync(m_pDisplay, False);
        Run({"xdotool", "key", "x"});
        ChildResult r = saver.Wait(10000);
        EXPECT_FALSE(r.timedOut);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.err.find("Exiting screensaver on KeyDown"), std::string::npos) << r.err;
        EXPECT_FALSE(saver.Running());
        EXPECT_TRUE(WaitFor([&] { return SaverWindow() == 0; }, 2000ms));
    }

    TempDir m_dir;
    std::string m_strDisplay;
    Display* m_pDisplay = nullptr;
};

TEST_F(LinuxMultiMonitor, EveryMonitorAnimatesAndOneUnpluggedAndBackIsFollowed) {
    // On the display that goes: the server moves the pointer off it, which must not end the saver.
    Run({"xdotool", "mousemove", "2600", "300"});
    auto saver = Start("");
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = SaverWindow()) != 0; }, 10000ms));
    EXPECT_TRUE(Covers(window, 3104, 800));
    for (const Monitor& m : Desk)
        EXPECT_TRUE(WaitFor([&] { return Animates(window, m); }, 5000ms)) << m.output;

    Unplug(Desk[2]);
    EXPECT_TRUE(WaitFor([&] { return Covers(window, 2304, 800); }, 2000ms));
    ASSERT_TRUE(saver->Running());
    for (const Monitor& m : {Desk[0], Desk[1]})
        EXPECT_TRUE(Animates(window, m)) << m.output;

    Plug(Desk[2]);
    EXPECT_TRUE(
        WaitFor([&] { return Covers(window, 3104, 800) && Animates(window, Desk[2]); }, 2000ms));
    ASSERT_TRUE(saver->Running());
    EndOnAKey(*saver, window);
}

TEST_F(LinuxMultiMonitor, PrimaryOnlyLeavesTheOthersBlack) {
    auto saver = Start("\"AllMonitors\"=hex:00,00,00,00\r\n");
    Window window = 0;
    ASSERT_TRUE(WaitFor([&] { return (window = SaverWindow()) != 0; }, 10000ms));
    EXPECT_TRUE(Covers(window, 3104, 800));
    EXPECT_TRUE(WaitFor([&] { return Animates(window, Desk[0]); }, 5000ms));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Black(window, Desk[1]));
        EXPECT_TRUE(Black(window, Desk[2]));
        std::this_thread::sleep_for(200ms);
    }
    EndOnAKey(*saver, window);
}

} // namespace
