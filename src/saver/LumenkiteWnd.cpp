#include "app/LumenkiteWnd.h"

#include "engine/RenderListener.h"
#include "engine/RenderThread.h"
#include "framework/IndexedDib.h"
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
    if (m_hdcImage) {
        SelectObject(m_hdcImage, m_hOldBitmap);
        DeleteDC(m_hdcImage);
    }
    if (m_hImage)
        DeleteObject(m_hImage);
    if (m_hdcWindow && m_hWnd)
        ReleaseDC(m_hWnd, m_hdcWindow);
    // The window must go before the members its messages use.
    DestroyWindow();
}

void LumenkiteWnd::Start(const Rect& rect, bool restrictParticles, double areaRatio, bool cycle) {
    if (!m_pRenderThread) {
        m_pRenderThread = std::make_unique<RenderThread>(m_pSettings, m_pListener);
        ApplyCpu();
    }
    Trace(TraceInfo, "LumenkiteWnd: Start(%s) called", restrictParticles ? "true" : "false");
    m_rcDraw = rect;
    m_nImageWidth = rect.Width();
    m_nImageHeight = rect.Height();
    m_bRestrictParticles = restrictParticles;
    m_nPitch = CreateImage(m_nImageWidth, m_nImageHeight);
    m_hdcWindow = GetDC(m_hWnd);
    m_pRenderThread->SetAreaRatio(areaRatio);
    m_pRenderThread->BeginRender(this, m_rcDraw, m_pImage, m_nPitch, restrictParticles, cycle);
}

int LumenkiteWnd::CreateImage(int width, int height) {
    PaletteEntry colours[256] = {};
    m_pSettings->FillPresetPalette(m_pSettings->m_pCurrentPreset, colours);

    if (m_hdcImage)
        SelectObject(m_hdcImage, m_hOldBitmap);
    else
        m_hdcImage = CreateCompatibleDC(nullptr);
    if (m_hImage)
        DeleteObject(m_hImage);
    m_hImage = CreateIndexedDib(m_hdcImage, width, height, colours, &m_pImage);
    Trace(TraceInfo, "LumenkiteWnd: Created DIB, handle = 0x%X",
          static_cast<unsigned>(reinterpret_cast<UINT_PTR>(m_hImage)));
    m_hOldBitmap = SelectObject(m_hdcImage, m_hImage);
    return ImagePitch(width);
}

void LumenkiteWnd::Stop() {
    Trace(TraceInfo, "LumenkiteWnd: Stop() called");
    if (m_pRenderThread)
        m_pRenderThread->EndRender();
    if (m_hdcImage)
        SelectObject(m_hdcImage, m_hOldBitmap);
    if (m_hImage)
        DeleteObject(m_hImage);
    if (m_hdcImage)
        DeleteDC(m_hdcImage);
    if (m_hdcWindow)
        ReleaseDC(m_hWnd, m_hdcWindow);
    m_hImage = nullptr;
    m_hdcImage = nullptr;
    m_hdcWindow = nullptr;
    m_hOldBitmap = nullptr;
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
    std::lock_guard lock(m_pRenderThread->m_Lock);
    m_pRenderThread->UpdateTargetWorms();
}

void LumenkiteWnd::ApplyCpu() {
    if (m_pRenderThread)
        m_pRenderThread->ApplyCpu();
}

void LumenkiteWnd::SetFullScreenPacing(bool on) {
    if (m_pRenderThread)
        m_pRenderThread->SetFullScreenPacing(on);
}

std::unique_lock<std::recursive_mutex> LumenkiteWnd::LockRender() {
    if (!m_pRenderThread)
        return {};
    return std::unique_lock(m_pRenderThread->m_Lock);
}

void LumenkiteWnd::SetColormap(const Colormap& colormap) {
    PaletteEntry table[256];
    colormap.FillColorTable(table);
    if (!m_pRenderThread) {
        LoadPalette(table);
        return;
    }
    std::lock_guard lock(m_pRenderThread->m_Lock);
    LoadPalette(table);
}

void LumenkiteWnd::LoadPalette(const PaletteEntry palette[256]) {
    if (m_hdcImage)
        SetDIBColorTable(m_hdcImage, 0, 256, reinterpret_cast<const RGBQUAD*>(palette));
}

void LumenkiteWnd::Present(int left, int top, int width, int height) {
    if (!m_hdcWindow || !m_hdcImage)
        return;
    // The worker wrote the image's bits directly: GDI must see them before copying, and the
    // copy must reach the screen before the next frame overwrites them.
    GdiFlush();
    BitBlt(m_hdcWindow, left, top, width, height, m_hdcImage, 0, 0, SRCCOPY);
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
