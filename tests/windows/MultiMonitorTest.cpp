// The real Lumenkite.scr on a desk of three real monitors of different sizes (Xorg's dummy driver
// under scripts/with-monitors): every monitor animates at its place, one unplugged and plugged back
// is followed, and "Every monitor" off leaves the others black.

#include "WindowsTestSupport.h"
#include "settings/RegKey.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace wintest;

namespace {

// The desk the test's command line gives scripts/with-monitors, in Windows screen coordinates:
// the primary's corner is the origin.
struct DeskMonitor {
    const char* output;
    RECT rect;
};
const DeskMonitor Primary = {"DUMMY0", {0, 0, 1280, 800}};
const DeskMonitor Left = {"DUMMY1", {-1024, 0, 0, 768}};
const DeskMonitor Right = {"DUMMY2", {1280, 100, 2080, 700}};
const RECT WholeDesk = {-1024, 0, 2080, 800};

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM param) {
    reinterpret_cast<std::vector<RECT>*>(param)->push_back(*rect);
    return TRUE;
}

std::vector<RECT> SystemMonitors() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

bool SameRect(const RECT& a, const RECT& b) {
    return EqualRect(&a, &b) != FALSE;
}

// xrandr, a program of the machine Wine runs on; Wine starts it but gives no handle to wait on.
void Xrandr(const std::string& arguments) {
    std::string commandLine = "/usr/bin/xrandr " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &info));
    if (info.hProcess)
        CloseHandle(info.hProcess);
    if (info.hThread)
        CloseHandle(info.hThread);
}

// Lit somewhere in each quarter of the monitor, and different from a grab a moment before.
bool Animates(const DeskMonitor& monitor) {
    const RECT& r = monitor.rect;
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<uint32_t> before = CaptureScreen(r.left, r.top, width, height);
    SleepPumping(200);
    std::vector<uint32_t> after = CaptureScreen(r.left, r.top, width, height);
    if (CountDifferent(before, after) == 0)
        return false;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int left = quarter % 2 * width / 2, top = quarter / 2 * height / 2;
        bool lit = false;
        for (int y = top; y < top + height / 2 && !lit; ++y)
            for (int x = left; x < left + width / 2 && !lit; ++x)
                lit = after[static_cast<size_t>(y) * width + x] != 0;
        if (!lit)
            return false;
    }
    return true;
}

bool Black(const DeskMonitor& monitor) {
    const RECT& r = monitor.rect;
    return CountNonBlack(CaptureScreen(r.left, r.top, r.right - r.left, r.bottom - r.top)) == 0;
}

class MultiMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<RECT> desk = SystemMonitors();
        ASSERT_EQ(desk.size(), 3u) << "run under scripts/with-monitors with the test's desk";
        for (const DeskMonitor* m : {&Primary, &Left, &Right})
            EXPECT_TRUE(std::any_of(desk.begin(), desk.end(), [&](const RECT& r) {
                return SameRect(r, m->rect);
            })) << m->output;
    }
    void TearDown() override {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, KEY_SET_VALUE, &key) == 0) {
            RegDeleteValueA(key, "AllMonitors");
            RegCloseKey(key);
        }
    }

    static HWND StartSaver(ChildProcess& saver, const char* tag) {
        return wintest::StartSaver(saver, WindowsPath(LUMENKITE_SCR), tag);
    }
    static bool Covers(HWND hwnd, const RECT& desk) {
        RECT placed;
        return GetWindowRect(hwnd, &placed) && SameRect(placed, desk);
    }
    static void EndOnAKey(ChildProcess& saver, HWND hwnd) {
        SetForegroundWindow(hwnd);
        SleepPumping(200);
        keybd_event('A', 0, 0, 0);
        keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
        EXPECT_TRUE(saver.WaitExit(5000));
        EXPECT_NE(saver.Trace().find("LumenkiteWnd: Exiting screensaver on KeyDown"),
                  std::string::npos)
            << saver.Trace();
        EXPECT_TRUE(FindTopLevelWindows(SaverTitle).empty());
    }
};

TEST_F(MultiMonitorTest, EveryMonitorAnimatesAndOneUnpluggedAndBackIsFollowed) {
    // On the monitor that goes: the system moves the pointer off it, which must not end the saver.
    SetCursorPos(1600, 300);
    ChildProcess saver;
    HWND hwnd = StartSaver(saver, "desk");
    ASSERT_NE(hwnd, nullptr) << saver.Trace();
    EXPECT_TRUE(Covers(hwnd, WholeDesk));
    for (const DeskMonitor* m : {&Primary, &Left, &Right})
        EXPECT_TRUE(WaitFor([&] { return Animates(*m); }, 5000)) << m->output;

    // Whether or not the window saw the pointer when it appeared, it is recorded there now.
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1600 - WholeDesk.left, 300));
    SleepPumping(100);
    Xrandr("--output DUMMY2 --off");
    ASSERT_TRUE(WaitFor([] { return SystemMonitors().size() == 2; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return Covers(hwnd, {-1024, 0, 1280, 800}); }, 2000));
    ASSERT_TRUE(saver.IsRunning()) << saver.Trace();
    for (const DeskMonitor* m : {&Primary, &Left})
        EXPECT_TRUE(Animates(*m)) << m->output;

    // Wine sees a monitor plugged in once a client has probed the outputs.
    Xrandr("--output DUMMY2 --mode 800x600 --pos 2304x100");
    SleepPumping(300);
    Xrandr("-q");
    ASSERT_TRUE(WaitFor([] { return SystemMonitors().size() == 3; }, 5000));
    EXPECT_TRUE(WaitFor([&] { return Covers(hwnd, WholeDesk) && Animates(Right); }, 2000));
    ASSERT_TRUE(saver.IsRunning()) << saver.Trace();
    EndOnAKey(saver, hwnd);
}

TEST_F(MultiMonitorTest, PrimaryOnlyLeavesTheOthersBlack) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKeyPath, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              0);
    const BYTE off[4] = {};
    RegSetValueExA(key, "AllMonitors", 0, REG_BINARY, off, sizeof off);
    RegCloseKey(key);

    ChildProcess saver;
    HWND hwnd = StartSaver(saver, "primary");
    ASSERT_NE(hwnd, nullptr) << saver.Trace();
    EXPECT_TRUE(Covers(hwnd, WholeDesk));
    EXPECT_TRUE(WaitFor([] { return Animates(Primary); }, 5000));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Black(Left));
        EXPECT_TRUE(Black(Right));
        SleepPumping(200);
    }
    EndOnAKey(saver, hwnd);
}

} // namespace
