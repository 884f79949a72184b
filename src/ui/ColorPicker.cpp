#include "ui/ColorPicker.h"

#include "framework/Dpi.h"
#include "framework/Geometry.h"
#include "ui/RampBitmap.h"
#include "ui/UserMessages.h"

namespace {

void DrawRaisedFrame(HDC dc, RECT r) {
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

} // namespace

void ColorPicker::OnSubclassed() {
    GetClientRect(m_hWnd, &m_client);
    m_model.Layout(m_client.right, WindowDpi(m_hWnd));
    // The placeholder is a static, which Tab would pass by.
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | WS_TABSTOP);
}

void ColorPicker::SetColor(int red, int green, int blue) {
    m_model.SetColor(red, green, blue);
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void ColorPicker::SetRGBMode(bool rgb) {
    m_model.m_bRGB = rgb;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void ColorPicker::Notify() {
    InvalidateRect(m_hWnd, nullptr, FALSE);
    PostMessageA(GetParent(m_hWnd), UM_COLOR_PICKED, 0, static_cast<LPARAM>(m_model.PackedColor()));
}

void ColorPicker::OnKey(WPARAM key) {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        m_model.SelectKeySlider(key == VK_UP ? -1 : 1);
        InvalidateRect(m_hWnd, nullptr, FALSE);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (m_model.StepKeySlider(key == VK_LEFT ? -1 : 1))
            Notify();
        break;
    }
}

LRESULT ColorPicker::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
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
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(m_hWnd);
        if (m_model.Press(PointOf(lParam))) {
            SetCapture(m_hWnd);
            Notify();
        }
        return 0;
    case WM_MOUSEMOVE:
        if (m_model.Move(PointOf(lParam)))
            Notify();
        return 0;
    case WM_LBUTTONUP:
        if (m_model.Release())
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            m_model.Release();
        return 0;
    case WM_LBUTTONDBLCLK:
        return 0;
    }
    return Default(message, wParam, lParam);
}

void ColorPicker::OnPaint() {
    PAINTSTRUCT paint;
    HDC windowDc = BeginPaint(m_hWnd, &paint);
    if (!m_ramp.Dc()) {
        const Rect bar = m_model.BarRect(0);
        m_ramp.Create(windowDc);
        m_ramp.Select(CreateRampBitmap(windowDc, bar.Width(), bar.Height()));
    }
    HDC dc = m_backBuffer.Begin(windowDc, m_client.right, m_client.bottom);
    FillRect(dc, &m_client, GetSysColorBrush(COLOR_BTNFACE));
    for (int k = 0; k < ColorPickerModel::SliderCount; ++k) {
        PaletteEntry table[256];
        m_model.BarColors(k, table);
        SetDIBColorTable(m_ramp.Dc(), 0, 256, reinterpret_cast<const RGBQUAD*>(table));
        const Rect bar = m_model.BarRect(k);
        BitBlt(dc, bar.left, bar.top, bar.Width(), bar.Height(), m_ramp.Dc(), 0, 0, SRCCOPY);
        DrawRaisedFrame(dc, ToRECT(bar));
    }
    for (int k = 0; k < ColorPickerModel::SliderCount; ++k) {
        RECT thumb = ToRECT(m_model.ThumbRect(k, false));
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
        DrawRaisedFrame(dc, thumb);
    }
    if (GetFocus() == m_hWnd) {
        // The row the arrow keys move.
        RECT row = ToRECT(m_model.ThumbRect(m_model.KeySlider(), true));
        DrawFocusRect(dc, &row);
    }
    m_backBuffer.Present(windowDc);
    EndPaint(m_hWnd, &paint);
}
