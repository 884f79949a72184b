#include "saver/LumenkiteWnd.h"

#include "engine/RenderListener.h"
#include "engine/RenderStart.h"
#include "engine/RenderThread.h"
#include "framework/Geometry.h"
#include "framework/IndexedDib.h"
#include "saver/ScreenMetrics.h"
#include "settings/Settings.h"
#include "support/Trace.h"

#include <windowsx.h>

#include <mutex>

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
    m_image.Release();
    if (m_hdcWindow && m_hWnd)
        ReleaseDC(m_hWnd, m_hdcWindow);
    // The window must go before the members its messages use.
    DestroyWindow();
}

bool LumenkiteWnd::CreateFullScreen(const std::string& className, const char* title,
                                    const Rect& full, bool cycle) {
    if (!CreateEx(WS_EX_TOPMOST, className, title, WS_POPUP | WS_VISIBLE, ToRECT(full), nullptr))
        return false;
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

void LumenkiteWnd::StartRender(const RenderStart& start) {
    if (!m_pRenderThread) {
        m_pRenderThread = std::make_unique<RenderThread>(m_pSettings, m_pListener);
        ApplyCpu();
    }
    Trace(TraceInfo, "LumenkiteWnd: Start(%s) called", start.restrictParticles ? "true" : "false");
    m_rcDraw = start.rect;
    m_nImageWidth = start.rect.Width();
    m_nImageHeight = start.rect.Height();
    m_bRestrictParticles = start.restrictParticles;
    m_nPitch = CreateImage(m_nImageWidth, m_nImageHeight);
    m_hdcWindow = GetDC(m_hWnd);
    m_pRenderThread->StartRender(this, start, m_pImage);
}

int LumenkiteWnd::CreateImage(int width, int height) {
    // Black until the render shows the preset's palette in it.
    m_image.Create(nullptr);
    m_image.Select(CreateIndexedDib(m_image.Dc(), width, height, nullptr, &m_pImage));
    Trace(TraceInfo, "LumenkiteWnd: Created DIB, handle = 0x%X",
          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(m_image.Bitmap())));
    return ImagePitch(width);
}

void LumenkiteWnd::Stop() {
    Trace(TraceInfo, "LumenkiteWnd: Stop() called");
    if (m_pRenderThread)
        m_pRenderThread->EndRender();
    m_image.Release();
    if (m_hdcWindow)
        ReleaseDC(m_hWnd, m_hdcWindow);
    m_hdcWindow = nullptr;
    m_pImage = nullptr;
}

void LumenkiteWnd::Pause() {
    if (m_pRenderThread)
        m_pRenderThread->EndRender();
}

void LumenkiteWnd::Resume() {
    if (m_pRenderThread)
        m_pRenderThread->BeginRender(this, m_rcDraw, m_pImage, m_nPitch, m_bRestrictParticles,
                                     false);
}

void LumenkiteWnd::Restart() {
    Trace(TraceInfo, "LumenkiteWnd: Restarting display");
    if (!m_pRenderThread)
        return;
    m_pRenderThread->EndRender();
    m_pRenderThread->BeginRender(this, m_rcDraw, m_pImage, m_nPitch, m_bRestrictParticles, false);
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
    if (m_image.Dc())
        SetDIBColorTable(m_image.Dc(), 0, 256, reinterpret_cast<const RGBQUAD*>(palette));
}

void LumenkiteWnd::Present(int left, int top, int width, int height) {
    if (!m_hdcWindow || !m_image.Dc())
        return;
    // The worker wrote the image's bits directly: GDI must see them before copying, and the
    // copy must reach the screen before the next frame overwrites them.
    GdiFlush();
    BitBlt(m_hdcWindow, left, top, width, height, m_image.Dc(), 0, 0, SRCCOPY);
    GdiFlush();
}

bool LumenkiteWnd::IsRendering() const {
    return m_pRenderThread && m_hdcWindow;
}

void LumenkiteWnd::EndSaver(const char* reason) {
    Trace(TraceInfo, "LumenkiteWnd: Exiting screensaver on %s", reason);
    DestroyWindow();
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
                EndSaver("MouseMove");
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && m_bNotifyActivate && m_pListener)
            m_pListener->OnActivate();
        break;
    case WM_SYSCOMMAND:
        if (m_bIsSaver && (wParam & 0xFFF0) == SC_SCREENSAVE)
            return 0;
        break;
    case WM_DESTROY:
        if (IsRendering()) {
            Trace(TraceInfo, "LumenkiteWnd: Stopping render in OnDestroy()");
            Stop();
        }
        break;
    }
    return Default(message, wParam, lParam);
}
