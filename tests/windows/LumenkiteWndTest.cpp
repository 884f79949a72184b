// The screensaver window in this process: its input handling, image, start and stop cycles, live
// recolouring, and the control-panel preview start-up inside a parent made here.

#include "saver/LumenkiteWnd.h"
#include "WindowsTestSupport.h"
#include "app/App.h"
#include "engine/FrameCadence.h"
#include "engine/PaletteExpander.h"
#include "engine/RenderListener.h"
#include "engine/RenderThread.h"
#include "engine/SmoothThing.h"
#include "saver/ScreenMetrics.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>

using namespace wintest;

namespace {

// A plain top-level window to host previews, with its client area at a known screen place.
class HostWindow {
public:
    HostWindow(int left, int top, int clientWidth, int clientHeight) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "LumenkiteTestHost";
        RegisterClassA(&wc);
        m_hWnd = CreateWindowExA(WS_EX_TOPMOST, "LumenkiteTestHost", "host",
                                 WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, left, top, clientWidth,
                                 clientHeight, nullptr, nullptr, wc.hInstance, nullptr);
        PumpMessages();
    }
    ~HostWindow() {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
    }
    HWND m_hWnd;
};

// Wine takes a while to take a top-level window off the screen, so the tests share one host and
// only move it.
HWND SharedHost(int left, int top, int clientWidth, int clientHeight) {
    static HostWindow host(left, top, clientWidth, clientHeight);
    SetWindowPos(host.m_hWnd, HWND_TOPMOST, left, top, clientWidth, clientHeight, SWP_SHOWWINDOW);
    PumpMessages();
    return host.m_hWnd;
}

// A palette entry as the screen reads back: 0x00RRGGBB.
uint32_t Rgb(const PaletteEntry& e) {
    return uint32_t{e.red} << 16 | uint32_t{e.green} << 8 | e.blue;
}

int Presents(LumenkiteWnd& window) {
    auto lock = window.LockRender();
    return window.Presents();
}

// Frames presented while this thread serves its windows for `ms`.
int PresentsDuring(LumenkiteWnd& window, DWORD ms) {
    const int before = Presents(window);
    SleepPumping(ms);
    return Presents(window) - before;
}

bool DrawsAgain(LumenkiteWnd& window) {
    const int before = Presents(window);
    return WaitFor([&] { return Presents(window) > before; }, 3000);
}

class LumenkiteWndTest : public ::testing::Test {
protected:
    LumenkiteWndTest() : m_settings(m_store) {}

    // A child window of the host, covering its client area, not yet started.
    std::unique_ptr<LumenkiteWnd> MakeChild(HWND parent, bool isSaver,
                                            RenderListener* listener = nullptr) {
        auto window = std::make_unique<LumenkiteWnd>(&m_settings, isSaver, listener);
        RECT client;
        GetClientRect(parent, &client);
        EXPECT_TRUE(
            window->CreateEx(0, Window::DefaultClass(), "", WS_CHILD | WS_VISIBLE, client, parent));
        return window;
    }

    MemoryRegStore m_store;
    Settings m_settings;
};

TEST_F(LumenkiteWndTest, SaverEndsOnClicksKeysAndASecondMousePosition) {
    HWND host = SharedHost(0, 0, 200, 150);
    auto window = MakeChild(host, true);
    HWND hwnd = window->m_hWnd;

    // Messages the saver leaves to the default handling.
    SendMessageA(hwnd, WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(5, 5));
    SendMessageA(hwnd, WM_SYSKEYDOWN, VK_MENU, 0);
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(IsWindow(hwnd));

    // The first move is only recorded; the same place again changes nothing.
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    EXPECT_EQ(window->FirstMouse().x, 10);
    EXPECT_EQ(window->FirstMouse().y, 20);
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    EXPECT_TRUE(IsWindow(hwnd));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 21));
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window->m_hWnd, nullptr);

    for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_KEYDOWN}) {
        auto other = MakeChild(host, true);
        HWND otherHwnd = other->m_hWnd;
        SendMessageA(otherHwnd, message, message == WM_KEYDOWN ? 'A' : 0, MAKELPARAM(3, 3));
        EXPECT_FALSE(IsWindow(otherHwnd)) << message;
    }
}

TEST_F(LumenkiteWndTest, PreviewIgnoresInput) {
    HWND host = SharedHost(0, 0, 200, 150);
    auto window = MakeChild(host, false);
    HWND hwnd = window->m_hWnd;
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 60));
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(hwnd, WM_RBUTTONDOWN, 0, 0);
    SendMessageA(hwnd, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(window->FirstMouse().x, -1);
}

class ActivationCounter final : public RenderListener {
public:
    void OnFrameRate(int) override {}
    void OnActivate() override { ++m_nActivations; }
    int m_nActivations = 0;
};

TEST_F(LumenkiteWndTest, ActivationReachesTheListenerOnlyWhenAskedFor) {
    HWND host = SharedHost(0, 0, 100, 100);
    ActivationCounter listener;
    auto window = MakeChild(host, false, &listener);
    SendMessageA(window->m_hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(listener.m_nActivations, 0);
    window->SetNotifyActivate(true);
    SendMessageA(window->m_hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(listener.m_nActivations, 0);
    SendMessageA(window->m_hWnd, WM_ACTIVATE, WA_ACTIVE, 0);
    SendMessageA(window->m_hWnd, WM_ACTIVATE, WA_CLICKACTIVE, 0);
    EXPECT_EQ(listener.m_nActivations, 2);
}

TEST_F(LumenkiteWndTest, StartMakesAnImageWithThePresetsColours) {
    HWND host = SharedHost(0, 0, 641, 100);
    auto window = MakeChild(host, false);
    window->Start(Rect{0, 0, 641, 100}, false, 1.0, false);
    EXPECT_EQ(window->Pitch(), 644);
    EXPECT_EQ(window->ImageWidth(), 641);
    EXPECT_EQ(window->ImageHeight(), 100);

    // The frame copied to the window: 32 bits, as the expander writes it.
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(window->ImageBitmap(), sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 641);
    EXPECT_EQ(dib.dsBm.bmHeight, 100);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
    EXPECT_EQ(dib.dsBm.bmWidthBytes, 641 * 4);

    PaletteEntry expected[256];
    m_settings.FillPresetPalette(m_settings.m_pCurrentPreset, expected);
    std::vector<uint32_t> shown(256);
    {
        auto lock = window->LockRender();
        ASSERT_NE(window->Colours(), nullptr);
        std::copy_n(window->Colours()->Pixels(), 256, shown.begin());
    }
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(shown[i], 0xFF000000u | Rgb(expected[i])) << i;
    window->Stop();
    EXPECT_EQ(window->ImageBitmap(), nullptr);
    EXPECT_EQ(window->ImageDc(), nullptr);
    EXPECT_EQ(window->WindowDc(), nullptr);
}

TEST_F(LumenkiteWndTest, TheDrawAreaShowsTheImageInThePresetsColoursBottomRowLowest) {
    HWND host = SharedHost(100, 100, 160, 120);
    auto window = MakeChild(host, false);
    window->Start(Rect{0, 0, 160, 120}, false, 1.0, false);
    ASSERT_TRUE(WaitFor([&] { return Presents(*window) >= 20; }, 10000));
    PaletteEntry palette[256];
    m_settings.FillPresetPalette(m_settings.m_pCurrentPreset, palette);
    // Held, the render presents nothing more; Wine puts the last frame on the screen meanwhile.
    auto lock = window->LockRender();
    SleepPumping(300);
    const std::vector<uint32_t> screen = CaptureScreen(100, 100, 160, 120);
    size_t lit = 0, wrong = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x) {
            const uint8_t index = window->Image()[(119 - y) * window->Pitch() + x];
            lit += index != 0;
            wrong += screen[static_cast<size_t>(y * 160 + x)] != Rgb(palette[index]);
        }
    }
    EXPECT_GT(lit, 0u);
    EXPECT_EQ(wrong, 0u);
}

TEST_F(LumenkiteWndTest, StartStopCyclesReuseTheThreadAndLeakNothing) {
    HWND host = SharedHost(0, 0, 64, 48);
    auto window = MakeChild(host, false);
    window->Start(Rect{0, 0, 64, 48}, false, 1.0, false);
    const RenderThread* thread = window->Renderer();
    window->Stop();
    DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);

    std::vector<HGDIOBJ> images;
    std::vector<HDC> contexts;
    for (int i = 0; i < 100; ++i) {
        window->Start(Rect{0, 0, 64, 48}, false, 1.0, false);
        ASSERT_EQ(window->Renderer(), thread);
        ASSERT_NE(window->ImageBitmap(), nullptr);
        images.push_back(window->ImageBitmap());
        contexts.push_back(window->ImageDc());
        if (i % 10 == 0)
            Sleep(30);
        window->Stop();
    }
    // Every image and memory context a Start made is gone after its Stop.
    for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(GetObjectType(images[i]), 0u) << i;
        EXPECT_EQ(GetObjectType(contexts[i]), 0u) << i;
    }
    // Wine counts no GDI objects (always 0); Windows does, and the count must not grow.
    if (gdiBefore != 0) {
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    }
}

// A colormap that is pure red from black to full red.
Colormap RedColormap() {
    Colormap red("Red test");
    red.m_aStops.clear();
    red.AddStop(0, ColorTriple{0, 0, 0});
    red.AddStop(255, ColorTriple{0, 0, 255});
    return red;
}

TEST_F(LumenkiteWndTest, SetColormapWhileRenderingRecoloursWithoutClearingTheField) {
    HWND host = SharedHost(100, 100, 200, 150);
    auto window = MakeChild(host, false);
    m_settings.CPU = 100;
    window->Start(Rect{0, 0, 200, 150}, false, 1.0, false);
    window->ApplyCpu();
    SleepPumping(1000);

    std::vector<uint32_t> before = CaptureScreen(100, 100, 200, 150);
    bool hasNonRed = false;
    for (uint32_t p : before)
        hasNonRed |= (p & 0x00FFFF) != 0;
    ASSERT_GT(CountNonBlack(before), 0u);
    ASSERT_TRUE(hasNonRed) << "the preset's colours should not be pure red already";

    uint64_t litBefore = 0;
    {
        auto lock = window->LockRender();
        const int w = window->ImageWidth();
        for (int y = 0; y < window->ImageHeight(); ++y)
            for (int x = 0; x < w; ++x)
                litBefore += window->Image()[y * window->Pitch() + x] != 0;
        window->SetColormap(RedColormap());
    }
    SleepPumping(300);

    std::vector<uint32_t> after = CaptureScreen(100, 100, 200, 150);
    size_t lit = 0;
    for (uint32_t p : after) {
        EXPECT_EQ(p & 0x00FFFF, 0u) << std::hex << p;
        if (p & 0x00FFFF)
            break;
        lit += p != 0;
    }
    // The trails drawn before the change are still there, only recoloured.
    EXPECT_GT(litBefore, 0u);
    EXPECT_GT(lit, 0u);
    window->Stop();
}

TEST_F(LumenkiteWndTest, PreviewStartUpFillsTheParentDrawsAndEndsWithIt) {
    HostWindow host(300, 200, 152, 112);
    std::unique_ptr<LumenkiteWnd> window = App::CreatePreviewWindow(m_settings, host.m_hWnd);
    ASSERT_NE(window, nullptr);
    HWND child = window->m_hWnd;
    EXPECT_EQ(GetParent(child), host.m_hWnd);
    RECT rc;
    GetWindowRect(child, &rc);
    EXPECT_EQ(rc.left, 300);
    EXPECT_EQ(rc.top, 200);
    EXPECT_EQ(rc.right, 452);
    EXPECT_EQ(rc.bottom, 312);
    {
        // 152 x 112 on the 1024 x 768 test screen: ratio 46.195..., at most 10 particles.
        auto lock = window->LockRender();
        ASSERT_NE(window->Renderer()->Engine(), nullptr);
        EXPECT_EQ(window->Renderer()->Engine()->m_nMaxWorms, 10);
        EXPECT_NEAR(window->Renderer()->Engine()->m_dAreaRatio, 46.195, 0.001);
        EXPECT_TRUE(window->Renderer()->RestrictsParticles());
    }

    SleepPumping(800);
    std::vector<uint32_t> first = CaptureScreen(300, 200, 152, 112);
    SleepPumping(800);
    std::vector<uint32_t> second = CaptureScreen(300, 200, 152, 112);
    EXPECT_GT(CountNonBlack(second), 0u);
    EXPECT_GT(CountDifferent(first, second), 0u);

    SendMessageA(child, WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(IsWindow(child));

    DestroyWindow(host.m_hWnd);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(window->m_hWnd, nullptr);
    EXPECT_EQ(window->WindowDc(), nullptr) << "rendering stops with the window";
}

TEST_F(LumenkiteWndTest, APreviewDrawsOnlyWhileItsParentIsShownAndNotMinimized) {
    HostWindow host(300, 200, 152, 112);
    ShowWindow(host.m_hWnd, SW_HIDE);
    std::unique_ptr<LumenkiteWnd> window = App::CreatePreviewWindow(m_settings, host.m_hWnd);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(PresentsDuring(*window, 300), 0);
    ShowWindow(host.m_hWnd, SW_SHOWNOACTIVATE);
    EXPECT_TRUE(DrawsAgain(*window));
    ShowWindow(host.m_hWnd, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(host.m_hWnd));
    SleepPumping(100);
    EXPECT_EQ(PresentsDuring(*window, 300), 0);
    ShowWindow(host.m_hWnd, SW_RESTORE);
    EXPECT_TRUE(DrawsAgain(*window));
}

// GUID_CONSOLE_DISPLAY_STATE's news: 0 off, 1 on, 2 dimmed.
LRESULT SendDisplayState(HWND hwnd, DWORD state) {
    constexpr GUID displayState = {
        0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
    alignas(POWERBROADCAST_SETTING) BYTE buffer[sizeof(POWERBROADCAST_SETTING) + sizeof state] = {};
    auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer);
    setting->PowerSetting = displayState;
    setting->DataLength = sizeof state;
    std::memcpy(setting->Data, &state, sizeof state);
    return SendMessageA(hwnd, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                        reinterpret_cast<LPARAM>(buffer));
}

TEST_F(LumenkiteWndTest, TheSaverDrawsNothingWhileTheDisplayIsOffAndStillWhenDimmed) {
    std::unique_ptr<LumenkiteWnd> window = App::CreateSaverWindow(m_settings);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(DrawsAgain(*window));
    for (DWORD lit : {1u, 2u}) {
        EXPECT_EQ(SendDisplayState(window->m_hWnd, 0), TRUE);
        // At most the frame already under way.
        EXPECT_LE(PresentsDuring(*window, 400), 1) << lit;
        SendDisplayState(window->m_hWnd, lit);
        EXPECT_TRUE(DrawsAgain(*window)) << lit;
    }
}

// About a second's frames: no more than the display shows in the time measured. Frames start a
// period after the last one was due, so a late one just inside the interval can bring one more.
void ExpectNoFasterThan(LumenkiteWnd& window, double hz) {
    ASSERT_TRUE(DrawsAgain(window));
    auto count = [&](std::chrono::steady_clock::time_point& at) {
        auto lock = window.LockRender();
        at = std::chrono::steady_clock::now();
        return window.Presents();
    };
    std::chrono::steady_clock::time_point t0, t1;
    const int before = count(t0);
    SleepPumping(1000);
    const int frames = count(t1) - before;
    EXPECT_GT(frames, 0);
    EXPECT_LE(frames, DisplayRefreshRate(hz) * std::chrono::duration<double>(t1 - t0).count() + 2);
}

// Each view carries its monitor's rate (the system reports the dummy displays' modes).
double FastestView(const LumenkiteWnd& window) {
    double fastest = 0;
    for (size_t i = 0; i < window.Renderer()->ViewCount(); ++i)
        fastest = std::max(fastest, DisplayRefreshRate(window.Renderer()->View(i).refreshHz));
    return fastest;
}

TEST_F(LumenkiteWndTest, FramesComeNoFasterThanTheirMonitorRefreshes) {
    // A share that does not hold the frames back.
    m_settings.CPU = 100;
    std::unique_ptr<LumenkiteWnd> saver = App::CreateSaverWindow(m_settings);
    ASSERT_NE(saver, nullptr);
    ASSERT_EQ(saver->Renderer()->ViewCount(), SystemScreenMetrics().Monitors().size());
    ExpectNoFasterThan(*saver, FastestView(*saver));
    saver.reset();

    HWND host = SharedHost(0, 0, 64, 48);
    auto preview = MakeChild(host, false);
    preview->Start(Rect{0, 0, 64, 48}, false, 1.0, false);
    preview->ApplyCpu();
    ExpectNoFasterThan(*preview, FastestView(*preview));
}

TEST_F(LumenkiteWndTest, SaverWindowIsATopMostPopUpWithTheInvisibleCursor) {
    std::unique_ptr<LumenkiteWnd> window = App::CreateSaverWindow(m_settings);
    ASSERT_NE(window, nullptr);
    HWND hwnd = window->m_hWnd;
    char title[64] = "";
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "LumenkiteScreenSaverWindow");
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND),
              reinterpret_cast<LONG_PTR>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HICON), 0);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCL_STYLE) & (CS_HREDRAW | CS_VREDRAW),
              CS_HREDRAW | CS_VREDRAW);
    HCURSOR invisible = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(129));
    ASSERT_NE(invisible, nullptr);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HCURSOR), reinterpret_cast<LONG_PTR>(invisible));
    // Every monitor is drawn at its own place in the window over the virtual screen.
    const std::vector<Monitor> desk = SystemScreenMetrics().Monitors();
    const Rect screen = VirtualScreen(desk);
    RECT placed;
    GetWindowRect(hwnd, &placed);
    EXPECT_EQ((Rect{placed.left, placed.top, placed.right, placed.bottom}), screen);
    ASSERT_EQ(window->Renderer()->ViewCount(), desk.size());
    for (size_t i = 0; i < desk.size(); ++i)
        EXPECT_EQ(window->Renderer()->View(i).rect, InWindow(desk[i].rect, screen));
    EXPECT_TRUE(window->IsSaver());
    EXPECT_FALSE(window->Renderer()->RestrictsParticles());
    EXPECT_EQ(window->Renderer()->Cycling(), m_settings.Cycle);
    window.reset();
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(LumenkiteWndTest, SaverMoveEndsItOnlyWhenNoDisplayChangeExplainsIt) {
    std::unique_ptr<LumenkiteWnd> window = App::CreateSaverWindow(m_settings);
    ASSERT_NE(window, nullptr);
    HWND hwnd = window->m_hWnd;
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, 20));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
    EXPECT_TRUE(IsWindow(hwnd));
    // A monitor changes before the move is taken as the user's: the system moved the pointer.
    std::vector<Monitor> desk = SystemScreenMetrics().Monitors();
    desk.front().rect.right -= 16;
    EXPECT_TRUE(window->FollowMonitors(desk));
    EXPECT_EQ(window->FirstMouse().x, -1);
    // Long enough for the held move's time and for the window to follow the real desk back.
    SleepPumping(1500);
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_EQ(window->FirstMouse().x, -1);

    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(50, 60));
    SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(51, 60));
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hwnd); }, 3000));
}

TEST_F(LumenkiteWndTest, PreviewNeedsARealParent) {
    EXPECT_EQ(App::CreatePreviewWindow(m_settings, nullptr), nullptr);
    EXPECT_EQ(App::CreatePreviewWindow(m_settings, reinterpret_cast<HWND>(0x7654321)), nullptr);
}

} // namespace
