#include "saver/LumenkiteWnd.h"

#include "engine/RenderListener.h"
#include "engine/RenderStart.h"
#include "engine/RenderThread.h"
#include "framework/Geometry.h"
#include "saver/RefreshRate.h"
#include "saver/ScreenMetrics.h"
#include "settings/Settings.h"
#include "support/Trace.h"

#include <windowsx.h>

#include <mutex>

namespace {

// How often the saver looks at the monitors itself, for systems that say nothing of a change.
constexpr UINT_PTR DeskTimer = 1;
constexpr UINT DeskTimerMs = 1000;
// How long a pointer move waits for a display change that may explain it: Wine delivers the move
// off an unplugged monitor about 100 ms before it lists the monitors without it.
constexpr UINT_PTR MoveTimer = 2;
constexpr UINT MoveGraceMs = 400;
// How often a preview looks whether it can be seen and which monitor shows it: a child hears
// nothing of its top-level window's minimizing or moving, nor of the control panel's, which
// belongs to another program. The look costs microseconds.
constexpr UINT_PTR WatchTimer = 3;
constexpr UINT WatchTimerMs = 15;
// How often a preview reads its monitor's refresh rate again: only top-level windows are told of
// display changes.
constexpr UINT_PTR RateTimer = 4;
constexpr UINT RateTimerMs = 1000;

} // namespace

LumenkiteWnd::LumenkiteWnd(Settings* settings, bool isSaver, RenderListener* listener)
    : m_pSettings(settings), m_pListener(listener), m_bIsSaver(isSaver) {
    Trace(TraceInfo, "LumenkiteWnd: Object created, m_bIsSaver = %s", isSaver ? "true" : "false");
}

LumenkiteWnd::~LumenkiteWnd() {
    Trace(TraceInfo, "LumenkiteWnd: Killing render thread");
    if (m_pRenderThread) {
        m_pRenderThread->Kill();
        m_pRenderThread.reset();
    }
    m_monitors.Clear();
    m_pImage.reset();
    if (m_hdcWindow && m_hWnd)
        ReleaseDC(m_hWnd, m_hdcWindow);
    // The window must go before the members its messages use.
    DestroyWindow();
}

bool LumenkiteWnd::CreateFullScreen(const std::string& className, const char* title,
                                    const Rect& full, bool cycle) {
    if (!CreateEx(WS_EX_TOPMOST, className, title, WS_POPUP | WS_VISIBLE, ToRECT(full), nullptr))
        return false;
    if (m_bIsSaver) {
        StartDesk(full, cycle);
        return true;
    }
    Rect primary;
    GetPrimaryRect(primary);
    StartRender(RenderStart::FullScreen(primary, cycle));
    return true;
}

bool LumenkiteWnd::CreatePreview(HWND parent, bool cycle) {
    if (!parent || !IsWindow(parent))
        return false;
    RECT client;
    GetClientRect(parent, &client);
    if (!CreateEx(0, Window::DefaultClass(), "", WS_CHILD | WS_VISIBLE, client, parent))
        return false;
    Rect full;
    GetFullScreenRect(full);
    StartRender(RenderStart::Preview(
        Rect{0, 0, client.right - client.left, client.bottom - client.top}, full, cycle));
    return true;
}

void LumenkiteWnd::Start(const Rect& rect, bool restrictParticles, double areaRatio, bool cycle) {
    StartRender(RenderStart{rect, restrictParticles, areaRatio, cycle});
}

void LumenkiteWnd::MakeRenderThread() {
    if (m_pRenderThread)
        return;
    m_pRenderThread = std::make_unique<RenderThread>(m_pSettings, m_pListener);
    ApplyCpu();
}

void LumenkiteWnd::StartRender(const RenderStart& start) {
    MakeRenderThread();
    Trace(TraceInfo, "LumenkiteWnd: Start(%s) called", start.restrictParticles ? "true" : "false");
    m_rcDraw = start.rect;
    m_nImageWidth = start.rect.Width();
    m_nImageHeight = start.rect.Height();
    m_bRestrictParticles = start.restrictParticles;
    m_nPitch = ImagePitch(m_nImageWidth);
    m_hdcWindow = GetDC(m_hWnd);
    m_pImage = std::make_unique<MonitorImage>(m_hdcWindow, m_nImageWidth, m_nImageHeight);
    Trace(TraceInfo, "LumenkiteWnd: Created DIB, handle = 0x%X",
          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(m_pImage->Bitmap())));
    // Before the first frame, which must neither come too fast nor be drawn unseen.
    FollowRefreshRate(true);
    FollowVisibility();
    if (GetWindowLongPtrA(m_hWnd, GWL_STYLE) & WS_CHILD) {
        SetTimer(m_hWnd, WatchTimer, WatchTimerMs, nullptr);
        SetTimer(m_hWnd, RateTimer, RateTimerMs, nullptr);
    }
    m_pRenderThread->StartRender(this, start, m_pImage->Bits());
}

void LumenkiteWnd::StartDesk(const Rect& screen, bool cycle) {
    MakeRenderThread();
    m_aDesk = SystemScreenMetrics().Monitors();
    m_rcScreen = screen;
    m_bFollowsDesk = true;
    m_hdcWindow = GetDC(m_hWnd);
    Trace(TraceInfo, "LumenkiteWnd: Starting on %d monitors, %s", static_cast<int>(m_aDesk.size()),
          m_pSettings->AllMonitors ? "every one" : "the primary alone");
    FollowVisibility();
    m_pRenderThread->StartRender(
        m_monitors.Follow(DrawnMonitors(m_aDesk, m_pSettings->AllMonitors), screen, m_hdcWindow),
        cycle);
    SetTimer(m_hWnd, DeskTimer, DeskTimerMs, nullptr);
}

bool LumenkiteWnd::FollowMonitors(const std::vector<Monitor>& desk) {
    if (!m_bFollowsDesk || desk.empty() || desk == m_aDesk)
        return false;
    m_aDesk = desk;
    m_rcScreen = VirtualScreen(desk);
    Trace(TraceInfo, "LumenkiteWnd: Display changed: %d monitors over %d,%d-%d,%d",
          static_cast<int>(desk.size()), m_rcScreen.left, m_rcScreen.top, m_rcScreen.right,
          m_rcScreen.bottom);
    SetWindowPos(m_hWnd, HWND_TOPMOST, m_rcScreen.left, m_rcScreen.top, m_rcScreen.Width(),
                 m_rcScreen.Height(), SWP_NOACTIVATE);
    m_pRenderThread->SetViews(
        m_monitors.Follow(DrawnMonitors(desk, m_pSettings->AllMonitors), m_rcScreen, m_hdcWindow));
    m_monitors.FreeLeftOut();
    // The system moves the pointer off a monitor that went away: that is no user's doing.
    m_ptFirstMouse = {-1, -1};
    KillTimer(m_hWnd, MoveTimer);
    m_bMoveHeld = false;
    return true;
}

void LumenkiteWnd::Stop() {
    Trace(TraceInfo, "LumenkiteWnd: Stop() called");
    if (m_pRenderThread)
        m_pRenderThread->EndRender();
    if (m_bFollowsDesk) {
        KillTimer(m_hWnd, DeskTimer);
        KillTimer(m_hWnd, MoveTimer);
    }
    KillTimer(m_hWnd, WatchTimer);
    KillTimer(m_hWnd, RateTimer);
    m_hMonitor = nullptr;
    m_bFollowsDesk = false;
    m_bMoveHeld = false;
    m_monitors.Clear();
    m_pImage.reset();
    if (m_hdcWindow)
        ReleaseDC(m_hWnd, m_hdcWindow);
    m_hdcWindow = nullptr;
}

void LumenkiteWnd::Pause() {
    if (m_pRenderThread)
        m_pRenderThread->EndRender();
}

void LumenkiteWnd::Resume() {
    if (m_pRenderThread)
        m_pRenderThread->BeginRender(this, m_rcDraw, ImageBits(), m_nPitch, m_bRestrictParticles,
                                     false);
}

void LumenkiteWnd::Restart() {
    Trace(TraceInfo, "LumenkiteWnd: Restarting display");
    if (!m_pRenderThread)
        return;
    m_pRenderThread->EndRender();
    m_pRenderThread->BeginRender(this, m_rcDraw, ImageBits(), m_nPitch, m_bRestrictParticles,
                                 false);
}

void LumenkiteWnd::UpdateTargetWorms() {
    if (!m_pRenderThread)
        return;
    auto lock = m_pRenderThread->Lock();
    m_pRenderThread->UpdateTargetWorms();
}

void LumenkiteWnd::ApplyCpu() {
    if (m_pRenderThread)
        m_pRenderThread->ApplyCpu();
}

std::unique_lock<std::recursive_mutex> LumenkiteWnd::LockRender() {
    if (!m_pRenderThread)
        return {};
    return m_pRenderThread->Lock();
}

void LumenkiteWnd::SetColormap(const Colormap& colormap) {
    PaletteEntry table[256];
    colormap.FillColorTable(table);
    if (!m_pRenderThread) {
        LoadPalette(table);
        return;
    }
    auto lock = m_pRenderThread->Lock();
    LoadPalette(table);
}

void LumenkiteWnd::LoadPalette(const PaletteEntry palette[256]) {
    if (m_pImage)
        m_pImage->LoadPalette(palette);
}

void LumenkiteWnd::Present(int left, int top, int width, int height) {
    if (m_pImage)
        m_pImage->Present(left, top, width, height);
}

int LumenkiteWnd::Presents() const {
    int presents = m_pImage ? m_pImage->Presents() : 0;
    for (size_t i = 0; i < m_monitors.Count(); ++i)
        presents += m_monitors.Image(i).Presents();
    return presents;
}

void LumenkiteWnd::FollowVisibility() {
    if (m_pRenderThread)
        m_pRenderThread->SetShown(m_visibility.CanBeSeen(m_hWnd));
}

void LumenkiteWnd::FollowRefreshRate(bool reread) {
    // The saver's monitors carry their own rates.
    if (!m_pRenderThread || m_bFollowsDesk || !m_hWnd)
        return;
    // The draw area's monitor: a full-screen preview covers the desk but draws on the primary.
    RECT drawn = ToRECT(m_rcDraw);
    MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&drawn), 2);
    HMONITOR monitor = MonitorFromRect(&drawn, MONITOR_DEFAULTTONEAREST);
    if (monitor == m_hMonitor && !reread)
        return;
    m_hMonitor = monitor;
    const double hz = MonitorRefreshRate(monitor);
    if (hz == m_dRefreshHz)
        return;
    Trace(TraceInfo, "LumenkiteWnd: Paced by a display of %g Hz", hz);
    m_dRefreshHz = hz;
    m_pRenderThread->SetRefreshRate(hz);
}

bool LumenkiteWnd::IsRendering() const {
    return m_pRenderThread && m_hdcWindow;
}

void LumenkiteWnd::EndSaver(const char* reason) {
    Trace(TraceInfo, "LumenkiteWnd: Exiting screensaver on %s", reason);
    DestroyWindow();
}

void LumenkiteWnd::OnPointerMoved() {
    if (!m_bFollowsDesk) {
        EndSaver("MouseMove");
        return;
    }
    // The move may be the system's, taking the pointer off a monitor that went away before the
    // change is seen here: it ends the saver only if no display change shows up in time.
    if (m_bMoveHeld || FollowMonitors(SystemScreenMetrics().Monitors()))
        return;
    m_bMoveHeld = true;
    SetTimer(m_hWnd, MoveTimer, MoveGraceMs, nullptr);
}

LRESULT LumenkiteWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        if (m_bIsSaver)
            EndSaver("LButtonDown");
        return 0;
    case WM_RBUTTONDOWN:
        if (m_bIsSaver)
            EndSaver("RButtonDown");
        return 0;
    case WM_KEYDOWN:
        if (m_bIsSaver)
            EndSaver("KeyDown");
        return 0;
    case WM_MOUSEMOVE:
        if (m_bIsSaver) {
            POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (m_ptFirstMouse.x == -1)
                m_ptFirstMouse = pt;
            else if (pt.x != m_ptFirstMouse.x || pt.y != m_ptFirstMouse.y)
                OnPointerMoved();
        }
        return 0;
    case WM_DISPLAYCHANGE:
        FollowMonitors(SystemScreenMetrics().Monitors());
        FollowRefreshRate(true);
        break;
    case WM_SHOWWINDOW:
        // Sent before the change: a window about to be hidden stops at once; one about to be
        // shown is looked at once it is, as its position changes.
        if (!wParam && m_pRenderThread)
            m_pRenderThread->SetShown(false);
        break;
    case WM_SIZE:
        FollowVisibility();
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = Default(message, wParam, lParam);
        FollowVisibility();
        FollowRefreshRate(false);
        return result;
    }
    case WM_POWERBROADCAST:
        if (m_visibility.OnPowerBroadcast(wParam, lParam)) {
            Trace(TraceInfo, "LumenkiteWnd: Display %s", m_visibility.DisplayOn() ? "on" : "off");
            FollowVisibility();
            return TRUE;
        }
        break;
    case WM_TIMER:
        if (wParam == DeskTimer) {
            FollowMonitors(SystemScreenMetrics().Monitors());
            return 0;
        }
        if (wParam == MoveTimer) {
            KillTimer(m_hWnd, MoveTimer);
            if (!FollowMonitors(SystemScreenMetrics().Monitors()))
                EndSaver("MouseMove");
            return 0;
        }
        if (wParam == WatchTimer) {
            FollowVisibility();
            FollowRefreshRate(false);
            return 0;
        }
        if (wParam == RateTimer) {
            FollowRefreshRate(true);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && m_bNotifyActivate && m_pListener)
            m_pListener->OnActivate();
        break;
    case WM_SYSCOMMAND:
        if (m_bIsSaver && (wParam & 0xFFF0) == SC_SCREENSAVE)
            return 0;
        break;
    case WM_CREATE:
        m_visibility.Watch(m_hWnd);
        break;
    case WM_DESTROY:
        m_visibility.Unwatch();
        if (IsRendering()) {
            Trace(TraceInfo, "LumenkiteWnd: Stopping render in OnDestroy()");
            Stop();
        }
        break;
    }
    return Default(message, wParam, lParam);
}
