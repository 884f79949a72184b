#include "app/App.h"

#include "app/CommandLine.h"
#include "app/SelfInstall.h"
#include "framework/Dpi.h"
#include "framework/MessageLoop.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "saver/ScreenMetrics.h"
#include "settings/Settings.h"
#include "support/Trace.h"
#include "ui/ConfigDialog.h"

#include <commctrl.h>

#include <cstring>

namespace {

const char* const SaverTitle = "LumenkiteScreenSaverWindow";

unsigned HandleValue(HWND hwnd) {
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(hwnd));
}

} // namespace

bool App::InitInstance(int argc, const char* const* argv) {
    Trace(TraceInfo, "*******************  Program started  *****************");
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    // Three-dimensional dialog controls are what every supported system draws anyway.

    Trace(TraceInfo, "App: Calling SelfInstallIfRequired()");
    if (SelfInstallIfRequired()) {
        Trace(TraceInfo, "App: __argc = %d", argc);
        for (int i = 0; i < argc; ++i)
            Trace(TraceInfo, "App: __argv[%d] = %s", i, argv[i]);

        CommandLine line = ParseCommandLine(argc, argv);
        switch (line.mode) {
        case AppMode::Saver:
            if (!RunSaver())
                return false;
            break;
        case AppMode::Preview:
            Trace(TraceInfo, "App: Doing preview");
            Trace(TraceInfo, "App: Getting CWnd pointer for parent from %s",
                  line.handleText.c_str());
            {
                HWND parent = reinterpret_cast<HWND>(line.handle);
                Trace(TraceInfo, "App: pParent = 0x%X", HandleValue(parent));
                RunPreview(parent);
            }
            break;
        case AppMode::Config:
            RunConfig(line);
            break;
        case AppMode::None:
            break;
        }
    }
    Trace(TraceInfo, "---------------- Program exited ------------------");
    return false;
}

bool App::RunSaver() {
    Trace(TraceInfo, "App: Doing screensaver");
    if (HWND foreground = GetForegroundWindow()) {
        char title[256] = "";
        GetWindowTextA(foreground, title, sizeof title);
        Trace(TraceInfo, "App: Foreground window = 0x%X, title = \"%s\"", HandleValue(foreground),
              title);
        if (std::strcmp(title, SaverTitle) == 0) {
            Trace(TraceNotice, "App: Screensaver window is already open! exiting");
            return false;
        }
    }
    Trace(TraceInfo, "App: Reading registry settings");
    auto settings = std::make_unique<Settings>();
    std::unique_ptr<LumenkiteWnd> window = CreateSaverWindow(*settings);
    if (window) {
        window->m_bQuitOnDestroy = true;
        RunMessageLoop();
    }
    window.reset();
    settings.reset();
    return true;
}

std::unique_ptr<LumenkiteWnd> App::CreateSaverWindow(Settings& settings) {
    // Before the first metric is read: each monitor is drawn at its own resolution.
    UsePerMonitorDpi();
    Rect full;
    GetFullScreenRect(full);
    Trace(TraceInfo, "App: Fullscreen rect");
    Trace(TraceInfo, "left   = %d", full.left);
    Trace(TraceInfo, "right  = %d", full.right);
    Trace(TraceInfo, "top    = %d", full.top);
    Trace(TraceInfo, "bottom = %d", full.bottom);

    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_INVISIBLE));
    std::string className = Window::RegisterWindowClass(
        CS_HREDRAW | CS_VREDRAW, cursor, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), nullptr);
    Trace(TraceInfo, "App: Registered MFC window class %s", className.c_str());

    auto window = std::make_unique<LumenkiteWnd>(&settings, true, nullptr);
    if (!window->CreateFullScreen(className, SaverTitle, full, settings.Cycle))
        return nullptr;
    Trace(TraceInfo, "App: Created main window");
    return window;
}

void App::RunConfig(const CommandLine& line) {
    Trace(TraceInfo, "App: Doing config dialog");
    HWND owner = nullptr;
    if (!line.handleText.empty()) {
        Trace(TraceInfo, "App: Getting CWnd pointer for parent from %s", line.handleText.c_str());
        owner = reinterpret_cast<HWND>(line.handle);
        // A handle that names no window would make the dialog fail to appear at all.
        if (owner && !IsWindow(owner))
            owner = nullptr;
    }
    {
        ConfigDialog dialog(owner);
        dialog.DoModal();
        Trace(TraceInfo, "App: Done config");
    }
}

void App::RunPreview(HWND parent) {
    // The control panel always names its own window; anything else has nowhere to draw.
    if (!parent || !IsWindow(parent))
        return;
    auto settings = std::make_unique<Settings>();
    std::unique_ptr<LumenkiteWnd> window = CreatePreviewWindow(*settings, parent);
    if (window) {
        window->m_bQuitOnDestroy = true;
        RunMessageLoop();
    }
    window.reset();
    settings.reset();
}

std::unique_ptr<LumenkiteWnd> App::CreatePreviewWindow(Settings& settings, HWND parent) {
    auto window = std::make_unique<LumenkiteWnd>(&settings, false, nullptr);
    if (!window->CreatePreview(parent, settings.Cycle))
        return nullptr;
    return window;
}
