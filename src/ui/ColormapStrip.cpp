#include "ui/ColormapStrip.h"

#include "ui/StripCache.h"

void ColormapStrip::SetColormap(const Colormap* colormap) {
    RECT client;
    GetClientRect(m_hWnd, &client);
    m_nWidth = client.right;
    m_nHeight = client.bottom;
    m_pColormap = colormap;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

LRESULT ColormapStrip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT)
        return Default(message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    if (m_pColormap)
        m_strips.Draw(*m_pColormap, dc, 0, 0, m_nWidth, m_nHeight);
    else
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(m_hWnd, &paint);
    return 0;
}
