#include "ui/TitleBand.h"

#include "editor/DialogGeometry.h"
#include "framework/Dpi.h"

TitleBand::TitleBand(int bitmapId) {
    m_hBitmap =
        static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                        IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!m_hBitmap)
        return;
    HDC screen = GetDC(nullptr);
    m_hdcBitmap = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    m_hOldBitmap = SelectObject(m_hdcBitmap, m_hBitmap);
    BITMAP info = {};
    GetObjectA(m_hBitmap, sizeof info, &info);
    m_nWidth = info.bmWidth;
    m_nHeight = info.bmHeight;
    m_crFill = GetPixel(m_hdcBitmap, 0, 0);
}

TitleBand::~TitleBand() {
    if (m_hdcBitmap) {
        SelectObject(m_hdcBitmap, m_hOldBitmap);
        DeleteDC(m_hdcBitmap);
    }
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
}

int TitleBand::BandHeight(HWND hwnd) const {
    return ScaleToWindow(hwnd, m_nHeight);
}

void TitleBand::OnNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) const {
    RECT* proposed = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                            : reinterpret_cast<RECT*>(lParam);
    Rect client = TitleBandClientRect(
        Rect{proposed->left, proposed->top, proposed->right, proposed->bottom},
        GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME), BandHeight(hwnd));
    *proposed = {client.left, client.top, client.right, client.bottom};
}

void TitleBand::Paint(HWND hwnd) const {
    HDC dc = GetWindowDC(hwnd);
    RECT window;
    GetWindowRect(hwnd, &window);
    int frameW = GetSystemMetrics(SM_CXDLGFRAME);
    int frameH = GetSystemMetrics(SM_CYDLGFRAME);
    int height = BandHeight(hwnd);
    RECT band = {frameW, frameH, window.right - window.left - frameW, frameH + height};
    HBRUSH fill = CreateSolidBrush(m_crFill);
    FillRect(dc, &band, fill);
    DeleteObject(fill);
    if (m_hdcBitmap)
        StretchBlt(dc, frameW + ScaleToWindow(hwnd, 8), frameH, ScaleToWindow(hwnd, m_nWidth),
                   height, m_hdcBitmap, 0, 0, m_nWidth, m_nHeight, SRCCOPY);
    ReleaseDC(hwnd, dc);
}
