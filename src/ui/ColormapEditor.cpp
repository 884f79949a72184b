#include "ui/ColormapEditor.h"

#include "editor/ColorsEditor.h"
#include "framework/Dpi.h"
#include "framework/Geometry.h"
#include "settings/Colormap.h"
#include "ui/UserMessages.h"

void ColormapEditor::OnSubclassed() {
    GetClientRect(m_hWnd, &m_client);
    m_colors.LayoutStops(m_client.right, WindowDpi(m_hWnd));
    // The placeholder is a static, which Tab would pass by.
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_TABSTOP);
}

void ColormapEditor::Redraw() {
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

int ColormapEditor::SelectedStop() const {
    return m_colors.Stops().m_nSelected;
}

const StopEditorModel& ColormapEditor::Model() const {
    return m_colors.Stops();
}

void ColormapEditor::Notify(const ColorsUpdate& update) {
    if (update.redraw)
        PostMessageA(GetParent(m_hWnd), UM_STOPS_EDITED, update.movePicker ? 1 : 0, 0);
}

void ColormapEditor::OnKey(WPARAM key) {
    using Key = ColorsEditor::StopKey;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    switch (key) {
    case VK_LEFT:
        Notify(m_colors.PressStopKey(shift ? Key::MoveLeft : Key::SelectLeft));
        break;
    case VK_RIGHT:
        Notify(m_colors.PressStopKey(shift ? Key::MoveRight : Key::SelectRight));
        break;
    case VK_DELETE:
        Notify(m_colors.PressStopKey(Key::Remove));
        break;
    case VK_INSERT:
        Notify(m_colors.PressStopKey(Key::Insert));
        break;
    }
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
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OnKey(wParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Redraw();
        return 0;
    case WM_LBUTTONDOWN: {
        SetFocus(m_hWnd);
        const ColorsUpdate update = m_colors.PressStop(PointOf(lParam));
        if (update.redraw) {
            InvalidateRect(m_hWnd, nullptr, TRUE);
            SetCapture(m_hWnd);
        }
        Notify(update);
        return 0;
    }
    case WM_MOUSEMOVE:
        Notify(m_colors.DragStop(PointOf(lParam)));
        return 0;
    case WM_LBUTTONUP:
        if (m_colors.ReleaseStop()) {
            ReleaseCapture();
            InvalidateRect(m_hWnd, nullptr, TRUE);
        }
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away mid-drag (a menu, another window): the drag ends where it was.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd && m_colors.ReleaseStop())
            InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_LBUTTONDBLCLK:
        Notify(m_colors.DoubleClickStop(PointOf(lParam)));
        return 0;
    }
    return Default(message, wParam, lParam);
}

void ColormapEditor::OnPaint() {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(m_hWnd, &paint);
    HDC dc = m_backBuffer.Begin(windowDc, m_client.right, m_client.bottom);
    FillRect(dc, &m_client, GetSysColorBrush(COLOR_BTNFACE));
    const StopEditorModel& model = m_colors.Stops();
    RECT groove = ToRECT(model.GrooveRect());
    DrawEdge(dc, &groove, EDGE_SUNKEN, BF_RECT);
    if (const Colormap* colormap = model.m_pColormap) {
        for (int i = 0; i < static_cast<int>(colormap->m_aStops.size()); ++i) {
            const ColorTriple& c = colormap->m_aStops[i].colour;
            RECT box = ToRECT(model.StopRect(i));
            HBRUSH brush = CreateSolidBrush(RGB(c.red, c.green, c.blue));
            FillRect(dc, &box, brush);
            DeleteObject(brush);
            RECT frame = ToRECT(model.StopFrame(i));
            DrawEdge(dc, &frame, i == model.m_nSelected ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            const int x = model.PosToX(colormap->m_aStops[i].position);
            MoveToEx(dc, x, 0, nullptr);
            LineTo(dc, x, model.TickBottom());
        }
        if (GetFocus() == m_hWnd && model.HasSelection()) {
            // The stop the keys act on, marked under its box as in the GTK editor.
            const Rect frame = model.StopFrame(model.m_nSelected);
            RECT mark = {frame.left, frame.bottom + 1, frame.right, frame.bottom + 2};
            FillRect(dc, &mark, GetSysColorBrush(COLOR_WINDOWTEXT));
        }
    }
    m_backBuffer.Present(windowDc);
    EndPaint(m_hWnd, &paint);
}
