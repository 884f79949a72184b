// The real Lumenkite.scr, started as a child process: the full-screen saver, the control-panel
// preview across processes, and command lines that select nothing.

#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

using namespace wintest;

namespace {

const char* const ExitTrace = "---------------- Program exited ------------------";

std::string ScreensaverPath() {
    return WindowsPath(LUMENKITE_SCR);
}

class SaverProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Leave the pointer somewhere definite, away from where the tests move it.
        SetCursorPos(500, 400);
        SleepPumping(50);
    }

    HWND StartSaver(ChildProcess& saver, const char* tag) {
        return wintest::StartSaver(saver, ScreensaverPath(), tag);
    }
};

TEST_F(SaverProcessTest, SaverCoversTheScreenOnTopAndDraws) {
    ChildProcess saver;
    HWND hwnd = StartSaver(saver, "draws");
    ASSERT_NE(hwnd, nullptr) << saver.Trace();

    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    RECT rc;
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(rc.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(rc.right - rc.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(rc.bottom - rc.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));

    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    SleepPumping(1000);
    std::vector<uint32_t> first = CaptureScreen(0, 0, width, height);
    SleepPumping(1000);
    std::vector<uint32_t> second = CaptureScreen(0, 0, width, height);
    EXPECT_GT(CountNonBlack(second), static_cast<size_t>(width * height / 1000));
    EXPECT_GT(CountDifferent(first, second), static_cast<size_t>(width * height / 1000));
    ASSERT_TRUE(saver.IsRunning());

    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    EXPECT_TRUE(saver.WaitExit(5000));
    std::string trace = saver.Trace();
    EXPECT_NE(trace.find("LumenkiteWnd: Exiting screensaver on LButtonDown"), std::string::npos);
    EXPECT_NE(trace.find("LumenkiteWnd: Stopping render in OnDestroy()"), std::string::npos);
    EXPECT_NE(trace.find(ExitTrace), std::string::npos) << trace;
}

TEST_F(SaverProcessTest, OnlyASecondMousePositionEndsTheSaver) {
    ChildProcess saver;
    HWND hwnd = StartSaver(saver, "mouse");
    ASSERT_NE(hwnd, nullptr) << saver.Trace();
    SleepPumping(300);

    // Whether or not the window saw the pointer when it appeared, it is recorded at (500, 400)
    // once these arrive; more moves there are ignored.
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    SetCursorPos(500, 400);
    EXPECT_FALSE(saver.WaitExit(700)) << saver.Trace();

    SetCursorPos(520, 410);
    EXPECT_TRUE(saver.WaitExit(5000));
    EXPECT_NE(saver.Trace().find("LumenkiteWnd: Exiting screensaver on MouseMove"),
              std::string::npos);
}

TEST_F(SaverProcessTest, KeyAndRightClickEndTheSaver) {
    {
        ChildProcess saver;
        HWND hwnd = StartSaver(saver, "key");
        ASSERT_NE(hwnd, nullptr) << saver.Trace();
        SetForegroundWindow(hwnd);
        SleepPumping(200);
        keybd_event('A', 0, 0, 0);
        keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
        EXPECT_TRUE(saver.WaitExit(5000));
        EXPECT_NE(saver.Trace().find("LumenkiteWnd: Exiting screensaver on KeyDown"),
                  std::string::npos);
    }
    {
        ChildProcess saver;
        HWND hwnd = StartSaver(saver, "right");
        ASSERT_NE(hwnd, nullptr) << saver.Trace();
        SleepPumping(200);
        mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        EXPECT_TRUE(saver.WaitExit(5000));
        EXPECT_NE(saver.Trace().find("LumenkiteWnd: Exiting screensaver on RButtonDown"),
                  std::string::npos);
    }
}

TEST_F(SaverProcessTest, SecondSaverExitsWhileTheFirstIsInFront) {
    ChildProcess first;
    HWND hwnd = StartSaver(first, "first");
    ASSERT_NE(hwnd, nullptr) << first.Trace();
    SetForegroundWindow(hwnd);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hwnd; }, 3000));

    ChildProcess second;
    ASSERT_TRUE(second.Launch(ScreensaverPath(), "/s", "second"));
    EXPECT_TRUE(second.WaitExit(10000));
    std::string trace = second.Trace();
    EXPECT_NE(trace.find("App: Screensaver window is already open! exiting"), std::string::npos)
        << trace;
    EXPECT_EQ(trace.find("LumenkiteWnd: Object created"), std::string::npos);
    EXPECT_EQ(trace.find(ExitTrace), std::string::npos);
    EXPECT_EQ(FindTopLevelWindows(SaverTitle).size(), 1u);
    EXPECT_TRUE(first.IsRunning());
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(SaverProcessTest, PreviewLivesInTheGivenWindowUntilItIsDestroyed) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "LumenkitePreviewHost";
    RegisterClassA(&wc);
    HWND parent = CreateWindowExA(0, "LumenkitePreviewHost", "host", WS_POPUP | WS_VISIBLE, 40, 40,
                                  152, 112, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);

    ChildProcess preview;
    std::string handle = std::to_string(reinterpret_cast<UINT_PTR>(parent));
    ASSERT_TRUE(preview.Launch(ScreensaverPath(), "/p " + handle, "preview"));
    ASSERT_TRUE(WaitFor([&] { return GetWindow(parent, GW_CHILD) != nullptr; }, 15000))
        << preview.Trace();
    HWND child = GetWindow(parent, GW_CHILD);
    DWORD owner = 0;
    GetWindowThreadProcessId(child, &owner);
    EXPECT_EQ(owner, preview.Id());
    RECT rc;
    GetClientRect(child, &rc);
    EXPECT_EQ(rc.right, 152);
    EXPECT_EQ(rc.bottom, 112);

    PostMessageA(child, WM_KEYDOWN, 'A', 0);
    EXPECT_FALSE(preview.WaitExit(700));

    DestroyWindow(parent);
    EXPECT_TRUE(preview.WaitExit(10000));
    std::string trace = preview.Trace();
    EXPECT_NE(trace.find("App: Getting CWnd pointer for parent from " + handle), std::string::npos)
        << trace;
    EXPECT_NE(trace.find("LumenkiteWnd: Object created, m_bIsSaver = false"), std::string::npos);
    EXPECT_NE(trace.find(ExitTrace), std::string::npos);
}

TEST_F(SaverProcessTest, ConfigurationOpensTheDialogOwnedByTheGivenWindow) {
    HWND host = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 60, 40,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(host, nullptr);
    std::string handle = std::to_string(reinterpret_cast<UINT_PTR>(host));
    struct Case {
        std::string arguments;
        HWND owner;
    };
    // A handle that names no window leaves the dialog unowned rather than unseen.
    for (const Case& c :
         {Case{"", nullptr}, Case{"/c:" + handle, host}, Case{"/c:4242", nullptr}}) {
        ChildProcess config;
        ASSERT_TRUE(config.Launch(ScreensaverPath(), c.arguments, "config"));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor(
            [&] {
                auto found = FindTopLevelWindows("Configure Lumenkite v2.0", config.Id());
                dialog = found.empty() ? nullptr : found[0];
                return dialog && IsWindowVisible(dialog);
            },
            15000))
            << c.arguments << "\n"
            << config.Trace();
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), c.owner) << c.arguments;
        // The owner is disabled while the dialog is up, as for any modal dialog.
        if (c.owner) {
            EXPECT_FALSE(IsWindowEnabled(host));
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(config.WaitExit(10000)) << c.arguments;
        std::string trace = config.Trace();
        EXPECT_NE(trace.find("App: Doing config dialog"), std::string::npos) << trace;
        EXPECT_NE(trace.find("App: Done config"), std::string::npos) << trace;
        EXPECT_NE(trace.find(ExitTrace), std::string::npos) << trace;
        EXPECT_TRUE(IsWindowEnabled(host));
    }
    DestroyWindow(host);
}

TEST_F(SaverProcessTest, CommandLinesWithoutAModeEndQuietly) {
    for (const char* arguments : {"/S", "/s x", "/p", "/p 0", "/p 77777777"}) {
        ChildProcess run;
        ASSERT_TRUE(run.Launch(ScreensaverPath(), arguments, "quiet"));
        EXPECT_TRUE(run.WaitExit(10000)) << arguments;
        std::string trace = run.Trace();
        EXPECT_NE(trace.find(ExitTrace), std::string::npos) << arguments << "\n" << trace;
        EXPECT_EQ(trace.find("LumenkiteWnd: Object created"), std::string::npos) << arguments;
        EXPECT_EQ(trace.find("SelfInstall: File is not an SCR file"), std::string::npos);
    }
}

} // namespace
