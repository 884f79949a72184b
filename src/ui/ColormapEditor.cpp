#include "ui/ColormapEditor.h"

#include "framework/Dpi.h"
#include "framework/Geometry.h"
#include "settings/Colormap.h"
#include "ui/UserMessages.h"

void ColormapEditor::OnSubclassed() {
    GetClientRect(m_hWnd, &m_client);
    m_model.Layout(m_client.right, WindowDpi(m_hWnd));
}

void ColormapEditor::SetColormap(Colormap* colormap) {
    m_model.m_pColormap = colormap;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void ColormapEditor::Notify(int code) {
    PostMessageA(GetParent(m_hWnd), UM_CHANGED, static_cast<WPARAM>(code), 0);
}

LRESULT ColormapEditor::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        // The placeholder is a static, which would let the clicks through to the page.
        return HTCLIENT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_LBUTTONDOWN:
        if (int hits = m_model.Press(PointOf(lParam))) {
            InvalidateRect(m_hWnd, nullptr, TRUE);
            SetCapture(m_hWnd);
            for (int i = 0; i < hits; ++i)
                Notify(2);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_model.Move(PointOf(lParam)))
            Notify(3);
        return 0;
    case WM_LBUTTONUP:
        if (m_model.Release()) {
            ReleaseCapture();
            InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (a menu, another window): the drag ends where it was.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd && m_model.Release())
            InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (m_model.DoubleClick(PointOf(lParam)))
            Notify(2);
        return 0;
    }
    return Default(message, wParam, lParam);
}

void ColormapEditor::OnPaint() {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(m_hWnd, &paint);
    HDC dc = m_backBuffer.Begin(windowDc, m_client.right, m_client.bottom);
    FillRect(dc, &m_client, GetSysColorBrush(COLOR_BTNFACE));
    RECT groove = ToRECT(m_model.GrooveRect());
    DrawEdge(dc, &groove, EDGE_SUNKEN, BF_RECT);
    if (const Colormap* colormap = m_model.m_pColormap) {
        for (int i = 0; i < static_cast<int>(colormap->m_aStops.size()); ++i) {
            const ColorTriple& c = colormap->m_aStops[i].colour;
            RECT box = ToRECT(m_model.StopRect(i));
            HBRUSH brush = CreateSolidBrush(RGB(c.red, c.green, c.blue));
            FillRect(dc, &box, brush);
            DeleteObject(brush);
            RECT frame = ToRECT(m_model.StopFrame(i));
            DrawEdge(dc, &frame, i == m_model.m_nSelected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            const int x = m_model.PosToX(colormap->m_aStops[i].position);
            MoveToEx(dc, x, 0, nullptr);
            LineTo(dc, x, m_model.TickBottom());
        }
    }
    m_backBuffer.Present(windowDc);
    EndPaint(m_hWnd, &paint);
}
