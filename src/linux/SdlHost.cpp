#include "linux/SdlHost.h"

#include "engine/RenderStart.h"
#include "engine/RenderThread.h"
#include "linux/DisplayLayout.h"
#include "linux/DisplayRates.h"
#include "linux/FrameRateTitle.h"
#include "linux/Options.h"
#include "linux/SaverInput.h"
#include "linux/SdlFrameTarget.h"
#include "linux/X11Probe.h"
#include "settings/Settings.h"
#include "support/Trace.h"

#include <SDL.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

constexpr const char* NoDisplay = "no display available; use --gif FILE to render without one";
// A window being dragged to a new size is re-rendered once it has been still this long.
constexpr Uint32 ResizeSettleMs = 150;
// How often the saver asks which displays there are, as it is told of few changes.
constexpr Uint32 DisplayCheckMs = 500;
// How often a foreign window is looked at: its owner may resize, unmap or destroy it at any time,
// and shown again it should be drawn on the next wake-up.
constexpr Uint32 ForeignCheckMs = 100;
// How often the server is asked whether the displays sleep; it sends no word of it.
constexpr Uint32 PowerCheckMs = 500;
// How often the trace counts the frames shown.
constexpr Uint32 FrameTraceMs = 1000;
constexpr const char* WindowTitle = "Lumenkite";

class SdlHost {
public:
    // Only a window of our own shows the frame rate in its title; the saver's title names it for
    // the system and a foreign window's belongs to its owner.
    SdlHost(const Options& options, Settings& settings)
        : m_options(options), m_settings(settings), m_rateTitle(WindowTitle),
          m_renderer(&settings, options.mode == Mode::Window ? &m_rateTitle : nullptr) {}
    ~SdlHost();

    int Run();

private:
    bool CreateWindow();
    bool AttachForeignWindow();
    void ReleaseWindow();
    void StartRendering(int width, int height);
    void StartDesk();
    void StopRendering();
    // The displays with their refresh rates as the X server has them now; SDL's where there is no
    // X server to ask.
    std::vector<DisplayRate> CurrentDisplays();
    DisplayLayout LayoutOf(const std::vector<DisplayRate>& displays) const;
    // Each view of the saver's desk with the rate of the display it is on.
    std::vector<RenderView> DeskViews() const;
    // The single view's rate: the display the window is on.
    void FollowRefreshRate();
    // Draws only while something can be seen.
    void FollowVisibility();
    void TraceFramesShown();
    // True when the displays changed and were followed; `now` looks before the next check is due.
    bool FollowDisplays(bool now = false);
    void HandleEvent(const SDL_Event& event);
    void HandleWindowKey(const SDL_KeyboardEvent& key);
    void SwitchPreset(int step);
    void ShowNewestFrame(bool force);
    void FollowForeignWindow();
    void ApplyPendingResize();

    const Options& m_options;
    Settings& m_settings;
    FrameRateTitle m_rateTitle;
    RenderThread m_renderer;
    SaverInput m_saverInput;
    X11Probe m_probe;
    DisplayLayout m_layout;
    std::vector<DisplayRate> m_aDisplays;

    SDL_Window* m_pWindow = nullptr;
    SDL_Renderer* m_pRenderer = nullptr;
    // Each target with where it shows in the window: one per display of the saver's desk, one for
    // the other modes. The textures go before the renderer.
    struct Shown {
        std::unique_ptr<SdlFrameTarget> target;
        Rect rect;
    };
    std::vector<Shown> m_aShown;
    SDL_Rect m_rcDraw{};
    unsigned long m_nForeignWindow = 0;
    int m_nForeignWidth = 0;
    int m_nForeignHeight = 0;
    Uint32 m_nWakeEvent = 0;
    bool m_bRendering = false;
    bool m_bPaused = false;
    bool m_bQuit = false;
    bool m_bResizePending = false;
    Uint32 m_dwResizeAt = 0;
    Uint32 m_dwNextProbe = 0;
    Uint32 m_dwNextDisplayCheck = 0;
    Uint32 m_dwNextPowerCheck = 0;
    Uint32 m_dwNextFrameTrace = 0;
    double m_dRefreshHz = -1.0;
    bool m_bForeignViewable = true;
    bool m_bDisplaysAsleep = false;
    bool m_bShown = true;
    int m_nFramesShown = 0;
};

SdlHost::~SdlHost() {
    StopRendering();
    ReleaseWindow();
    // No SDL_Quit: it would unload the X libraries SDL opened while some of their allocations
    // live on, and the process ends right after this anyway.
}

int SdlHost::Run() {
    const bool foreign = m_options.mode == Mode::WindowId || m_options.mode == Mode::Root;
    if (foreign) {
        if (!m_probe.Open()) {
            std::fprintf(stderr, "lumenkite: %s\n", NoDisplay);
            return 1;
        }
        m_nForeignWindow =
            m_options.mode == Mode::Root ? m_probe.RootWindowId() : m_options.windowId;
        if (!m_probe.GetSize(m_nForeignWindow, m_nForeignWidth, m_nForeignHeight)) {
            std::fprintf(stderr, "lumenkite: --window-id: no window 0x%lx on this display\n%s\n",
                         m_nForeignWindow, UsageHint);
            return 2;
        }
    }

    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // SDL falls back to drawing nowhere when it finds no display; only take that when asked.
    const bool driverChosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!driverChosen && !std::getenv("WAYLAND_DISPLAY"))
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,KMSDRM");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "lumenkite: %s\n", NoDisplay);
        Trace(TraceNotice, "App: SDL_Init failed: %s", SDL_GetError());
        return 1;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (!driverChosen && (driver == "offscreen" || driver == "dummy")) {
        std::fprintf(stderr, "lumenkite: %s\n", NoDisplay);
        return 1;
    }
    if (driver == "x11") {
        TakeOverXErrors();
        m_probe.Open();
    }
    m_nWakeEvent = SDL_RegisterEvents(1);
    m_renderer.ApplyCpu();

    if (foreign ? !AttachForeignWindow() : !CreateWindow())
        return 1;

    if (m_options.mode == Mode::Saver) {
        StartDesk();
    } else {
        FollowRefreshRate();
        StartRendering(m_rcDraw.w, m_rcDraw.h);
    }
    FollowVisibility();
    while (!m_bQuit) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, 100)) {
            HandleEvent(event);
            while (!m_bQuit && SDL_PollEvent(&event))
                HandleEvent(event);
        }
        if (m_bQuit)
            break;
        if (foreign)
            FollowForeignWindow();
        if (m_options.mode == Mode::Saver)
            FollowDisplays();
        ApplyPendingResize();
        FollowVisibility();
        ShowNewestFrame(false);
        TraceFramesShown();
        if (auto title = m_rateTitle.Changed())
            SDL_SetWindowTitle(m_pWindow, title->c_str());
    }
    StopRendering();
    return 0;
}

bool SdlHost::CreateWindow() {
    Uint32 flags = 0;
    SDL_Rect where{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1024, 640};
    const char* title = WindowTitle;
    if (m_options.mode == Mode::Saver) {
        // One window over every display: one present a frame for all of them.
        m_aDisplays = CurrentDisplays();
        m_layout = LayoutOf(m_aDisplays);
        const Rect& all = m_layout.Window();
        Trace(TraceInfo, "App: Multi monitor system (%d monitors), %lld pixels on none",
              static_cast<int>(m_layout.Views().size()),
              static_cast<long long>(m_layout.DeadArea()));
        where = {all.left, all.top, std::max(all.Width(), 1), std::max(all.Height(), 1)};
        flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
        title = "LumenkiteScreenSaverWindow";
    } else {
        if (m_options.sizeGiven) {
            where.w = m_options.width;
            where.h = m_options.height;
        }
        flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    }
    m_pWindow = SDL_CreateWindow(title, where.x, where.y, where.w, where.h, flags);
    if (!m_pWindow) {
        std::fprintf(stderr, "lumenkite: cannot open a window: %s\n", SDL_GetError());
        return false;
    }
    m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, 0);
    if (!m_pRenderer)
        m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, SDL_RENDERER_SOFTWARE);
    if (!m_pRenderer) {
        std::fprintf(stderr, "lumenkite: cannot draw in the window: %s\n", SDL_GetError());
        return false;
    }
    if (m_options.mode == Mode::Saver) {
        SDL_ShowCursor(SDL_DISABLE);
        SDL_RaiseWindow(m_pWindow);
    } else {
        int w = 0, h = 0;
        SDL_GetRendererOutputSize(m_pRenderer, &w, &h);
        m_rcDraw = {0, 0, w, h};
    }
    return true;
}

bool SdlHost::AttachForeignWindow() {
    m_pWindow = SDL_CreateWindowFrom(reinterpret_cast<const void*>(m_nForeignWindow));
    if (!m_pWindow) {
        std::fprintf(stderr, "lumenkite: cannot use window 0x%lx: %s\n", m_nForeignWindow,
                     SDL_GetError());
        return false;
    }
    // The software renderer draws into any visual the owner chose; GL would need its own.
    m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, SDL_RENDERER_SOFTWARE);
    if (!m_pRenderer) {
        std::fprintf(stderr, "lumenkite: cannot draw in window 0x%lx: %s\n", m_nForeignWindow,
                     SDL_GetError());
        return false;
    }
    m_rcDraw = {0, 0, m_nForeignWidth, m_nForeignHeight};
    return true;
}

void SdlHost::ReleaseWindow() {
    m_aShown.clear();
    if (m_pRenderer)
        SDL_DestroyRenderer(m_pRenderer);
    // For a foreign window this only lets go of it; the X window stays its owner's.
    if (m_pWindow)
        SDL_DestroyWindow(m_pWindow);
    m_pRenderer = nullptr;
    m_pWindow = nullptr;
}

void SdlHost::StartRendering(int width, int height) {
    StopRendering();
    width = std::max(width, 1);
    height = std::max(height, 1);
    m_aShown.clear();
    auto target = std::make_unique<SdlFrameTarget>(width, height, m_nWakeEvent);
    // The render keeps the rate SetRefreshRate gave it.
    const RenderView view =
        target->View(Rect{m_rcDraw.x, m_rcDraw.y, m_rcDraw.x + width, m_rcDraw.y + height}, 0.0);
    m_aShown.push_back({std::move(target), view.rect});

    // A foreign window smaller than the screen is a preview.
    const Rect drawn{0, 0, width, height};
    RenderStart start = RenderStart::FullScreen(drawn, m_settings.Cycle);
    if (m_nForeignWindow && m_options.mode == Mode::WindowId) {
        int screenW = 0, screenH = 0;
        if (m_probe.GetSize(m_probe.RootWindowId(), screenW, screenH) &&
            AreaRatio(Rect{0, 0, screenW, screenH}, drawn) > 1.0)
            start = RenderStart::Preview(drawn, Rect{0, 0, screenW, screenH}, m_settings.Cycle);
    }
    m_renderer.StartRender(view.target, start, view.image);
    m_bRendering = true;
    if (m_bPaused)
        m_renderer.Stop();
}

void SdlHost::StartDesk() {
    StopRendering();
    m_aShown.clear();
    for (const Rect& rect : m_layout.Views())
        m_aShown.push_back(
            {std::make_unique<SdlFrameTarget>(rect.Width(), rect.Height(), m_nWakeEvent), rect});
    m_renderer.StartRender(DeskViews(), m_settings.Cycle);
    m_bRendering = true;
}

void SdlHost::StopRendering() {
    if (m_bRendering) {
        m_renderer.EndRender();
        m_bRendering = false;
    }
}

void SdlHost::HandleEvent(const SDL_Event& event) {
    const bool saver = m_options.mode == Mode::Saver;
    switch (event.type) {
    case SDL_QUIT:
        m_bQuit = true;
        break;
    case SDL_KEYDOWN:
        if (saver) {
            SDL_Keycode key = event.key.keysym.sym;
            bool systemKey = key == SDLK_LALT || key == SDLK_RALT || key == SDLK_F10 ||
                             (event.key.keysym.mod & KMOD_ALT) != 0;
            if (m_saverInput.OnKeyDown(systemKey)) {
                Trace(TraceInfo, "LumenkiteWnd: Exiting screensaver on KeyDown");
                m_bQuit = true;
            }
        } else if (m_options.mode == Mode::Window) {
            HandleWindowKey(event.key);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        if (saver && m_saverInput.OnButtonDown(event.button.button)) {
            Trace(TraceInfo, event.button.button == SDL_BUTTON_LEFT
                                 ? "LumenkiteWnd: Exiting screensaver on LButtonDown"
                                 : "LumenkiteWnd: Exiting screensaver on RButtonDown");
            m_bQuit = true;
        }
        break;
    case SDL_MOUSEMOTION:
        // The server moves the pointer off a display that went away only after taking the
        // display away, so a look at the displays now tells the system's move from the user's.
        if (saver && m_saverInput.OnMouseMove(event.motion.x, event.motion.y) &&
            !FollowDisplays(true)) {
            Trace(TraceInfo, "LumenkiteWnd: Exiting screensaver on MouseMove");
            m_bQuit = true;
        }
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && m_options.mode == Mode::Window) {
            m_bResizePending = true;
            m_dwResizeAt = SDL_GetTicks();
        } else if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            FollowVisibility();
            ShowNewestFrame(true);
        } else if (event.window.event == SDL_WINDOWEVENT_MOVED ||
                   event.window.event == SDL_WINDOWEVENT_DISPLAY_CHANGED) {
            FollowRefreshRate();
        } else {
            // Hidden, shown, minimized, restored: SDL's window flags say what they did.
            FollowVisibility();
        }
        break;
    case SDL_DISPLAYEVENT:
        m_dwNextDisplayCheck = SDL_GetTicks();
        FollowRefreshRate();
        break;
    default:
        break;
    }
}

void SdlHost::HandleWindowKey(const SDL_KeyboardEvent& key) {
    switch (key.keysym.sym) {
    case SDLK_ESCAPE:
    case SDLK_q:
        m_bQuit = true;
        break;
    case SDLK_n:
        SwitchPreset(1);
        break;
    case SDLK_p:
        SwitchPreset(-1);
        break;
    case SDLK_f: {
        bool full = (SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        SDL_SetWindowFullscreen(m_pWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
        break;
    }
    case SDLK_r:
        Trace(TraceInfo, "LumenkiteWnd: Restarting display");
        StartRendering(m_rcDraw.w, m_rcDraw.h);
        break;
    case SDLK_SPACE:
        m_bPaused = !m_bPaused;
        if (m_bPaused)
            m_renderer.Stop();
        else
            m_renderer.Start();
        break;
    default:
        break;
    }
}

// Starts the same cross-fade the preset timer would, from whatever palette is showing.
void SdlHost::SwitchPreset(int step) {
    auto lock = m_renderer.Lock();
    const int count = static_cast<int>(m_settings.m_apPresets.size());
    if (count == 0)
        return;
    int next = ((m_renderer.IncomingPreset() + step) % count + count) % count;
    m_renderer.SwitchToPreset(next);
    Trace(TraceInfo, "App: Switching to preset %d", next);
}

void SdlHost::ShowNewestFrame(bool force) {
    bool fresh = false;
    for (Shown& shown : m_aShown)
        fresh |= shown.target->Refresh(m_pRenderer);
    if (!fresh && !force)
        return;
    m_nFramesShown += fresh;
    SDL_SetRenderDrawColor(m_pRenderer, 0, 0, 0, 255);
    SDL_RenderClear(m_pRenderer);
    for (const Shown& shown : m_aShown)
        shown.target->Draw(m_pRenderer, shown.rect);
    SDL_RenderPresent(m_pRenderer);
}

void SdlHost::ApplyPendingResize() {
    if (!m_bResizePending || SDL_GetTicks() - m_dwResizeAt < ResizeSettleMs)
        return;
    m_bResizePending = false;
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(m_pRenderer, &w, &h);
    if (w == m_rcDraw.w && h == m_rcDraw.h)
        return;
    m_rcDraw = {0, 0, w, h};
    StartRendering(w, h);
}

void SdlHost::FollowForeignWindow() {
    Uint32 now = SDL_GetTicks();
    if (static_cast<int32_t>(now - m_dwNextProbe) < 0)
        return;
    m_dwNextProbe = now + ForeignCheckMs;
    int w = 0, h = 0;
    if (!m_probe.GetSize(m_nForeignWindow, w, h, &m_bForeignViewable)) {
        Trace(TraceInfo, "App: window 0x%lx is gone", m_nForeignWindow);
        m_bQuit = true;
        return;
    }
    if (w == m_nForeignWidth && h == m_nForeignHeight)
        return;
    // SDL does not follow a window it did not create: take it again at its new size.
    StopRendering();
    ReleaseWindow();
    m_nForeignWidth = w;
    m_nForeignHeight = h;
    if (!AttachForeignWindow()) {
        m_bQuit = true;
        return;
    }
    FollowRefreshRate();
    StartRendering(w, h);
}

std::vector<DisplayRate> SdlHost::CurrentDisplays() {
    std::vector<DisplayRate> displays = m_probe.Monitors();
    if (displays.empty()) {
        for (int i = 0; i < SDL_GetNumVideoDisplays(); ++i) {
            SDL_Rect b;
            SDL_DisplayMode mode{};
            if (SDL_GetDisplayBounds(i, &b) != 0)
                continue;
            SDL_GetCurrentDisplayMode(i, &mode);
            displays.push_back({{b.x, b.y, b.x + b.w, b.y + b.h}, double(mode.refresh_rate)});
        }
    }
    return displays;
}

DisplayLayout SdlHost::LayoutOf(const std::vector<DisplayRate>& displays) const {
    std::vector<Rect> bounds;
    for (const DisplayRate& display : displays)
        bounds.push_back(display.bounds);
    return DisplayLayout(bounds, m_settings.AllMonitors);
}

std::vector<RenderView> SdlHost::DeskViews() const {
    const Rect& desk = m_layout.Window();
    std::vector<RenderView> views;
    for (const Shown& shown : m_aShown) {
        const Rect& r = shown.rect;
        const Rect onDesktop{r.left + desk.left, r.top + desk.top, r.right + desk.left,
                             r.bottom + desk.top};
        views.push_back(shown.target->View(r, RefreshRateOf(m_aDisplays, onDesktop)));
        Trace(TraceInfo, "App: Monitor %d refreshes at %g Hz", static_cast<int>(views.size()),
              views.back().refreshHz);
    }
    return views;
}

void SdlHost::FollowRefreshRate() {
    if (m_options.mode == Mode::Saver || !m_pWindow)
        return;
    const int index = SDL_GetWindowDisplayIndex(m_pWindow);
    SDL_DisplayMode mode{};
    const double hz =
        index >= 0 && SDL_GetCurrentDisplayMode(index, &mode) == 0 ? mode.refresh_rate : 0.0;
    if (hz == m_dRefreshHz)
        return;
    m_dRefreshHz = hz;
    Trace(TraceInfo, "App: Display refreshes at %g Hz", hz);
    m_renderer.SetRefreshRate(hz);
}

void SdlHost::FollowVisibility() {
    const Uint32 now = SDL_GetTicks();
    if (m_probe.RootWindowId() && static_cast<int32_t>(now - m_dwNextPowerCheck) >= 0) {
        m_dwNextPowerCheck = now + PowerCheckMs;
        m_bDisplaysAsleep = m_probe.DisplaysAsleep();
    }
    bool windowSeen = m_bForeignViewable;
    if (!m_nForeignWindow && m_pWindow)
        windowSeen =
            (SDL_GetWindowFlags(m_pWindow) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
    const bool shown = windowSeen && !m_bDisplaysAsleep;
    if (shown == m_bShown)
        return;
    m_bShown = shown;
    Trace(TraceInfo, "App: %s after %d frames shown", shown ? "Shown" : "Hidden", m_nFramesShown);
    m_renderer.SetShown(shown);
}

// A count rather than a line per frame: tests see whether frames came, the trace stays short.
void SdlHost::TraceFramesShown() {
    const Uint32 now = SDL_GetTicks();
    if (static_cast<int32_t>(now - m_dwNextFrameTrace) < 0)
        return;
    m_dwNextFrameTrace = now + FrameTraceMs;
    Trace(TraceInfo, "App: %d frames shown", m_nFramesShown);
}

// Displays that came, went, moved or changed size: the window takes the new desk, a display
// that stays keeps its target and engine, the targets of displays gone are freed once the
// render has let go of them.
bool SdlHost::FollowDisplays(bool now) {
    const Uint32 ticks = SDL_GetTicks();
    if (!now && static_cast<int32_t>(ticks - m_dwNextDisplayCheck) < 0)
        return false;
    m_dwNextDisplayCheck = ticks + DisplayCheckMs;
    std::vector<DisplayRate> displays = CurrentDisplays();
    if (displays == m_aDisplays)
        return false;
    DisplayLayout next = LayoutOf(displays);
    if (next.Views().empty())
        return false;
    if (next == m_layout) {
        // Only a display's rate changed: every view keeps its engine.
        m_aDisplays = std::move(displays);
        m_renderer.SetViews(DeskViews());
        return false;
    }
    Trace(TraceInfo, "App: Displays changed (%d monitors)", static_cast<int>(next.Views().size()));
    const Rect& all = next.Window();
    SDL_SetWindowPosition(m_pWindow, all.left, all.top);
    SDL_SetWindowSize(m_pWindow, all.Width(), all.Height());

    const std::vector<int> successors = m_layout.Successors(next);
    std::vector<Shown> shown;
    for (size_t i = 0; i < successors.size(); ++i) {
        const Rect& rect = next.Views()[i];
        std::unique_ptr<SdlFrameTarget> target =
            successors[i] >= 0
                ? std::move(m_aShown[successors[i]].target)
                : std::make_unique<SdlFrameTarget>(rect.Width(), rect.Height(), m_nWakeEvent);
        shown.push_back({std::move(target), rect});
    }
    // The targets left out stay alive until the render has let go of them.
    std::swap(m_aShown, shown);
    m_layout = std::move(next);
    m_aDisplays = std::move(displays);
    m_renderer.SetViews(DeskViews());
    m_saverInput.ForgetPosition();
    ShowNewestFrame(true);
    return true;
}

} // namespace

int RunSdlHost(const Options& options, Settings& settings) {
    SdlHost host(options, settings);
    return host.Run();
}
