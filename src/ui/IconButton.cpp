#include "ui/IconButton.h"

#include "editor/DialogGeometry.h"
#include "framework/Dpi.h"

#include <windowsx.h>

#include <string>

namespace {

// The icon's glyph fits in this much room beside the text; the icons themselves are 32 x 32.
constexpr int IconSpace = 8;
constexpr int IconSize = 32;

} // namespace

IconButton::IconButton(int iconId, Mode mode, IconSide side)
    : m_nMode(mode), m_nIconSide(side),
      m_hIcon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId),
                                            IMAGE_ICON, IconSize, IconSize, LR_DEFAULTCOLOR))) {}

IconButton::~IconButton() {
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

void IconButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    UINT frame = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (m_bPressed)
        frame |= DFCS_PUSHED;
    if (m_bDown)
        frame |= DFCS_CHECKED;
    DrawFrameControl(dc, &r, DFC_BUTTON, frame);
    if (GetFocus() == m_hWnd)
        DrawFocusRect(dc, &r);
    if (m_bPressed || m_bDown) {
        ++r.top;
        ++r.bottom;
        ++r.left;
    }

    char text[128] = "";
    GetWindowTextA(m_hWnd, text, sizeof text);
    int length = static_cast<int>(std::string(text).size());
    int oldMode = SetBkMode(dc, TRANSPARENT);
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, length, &extent);
    int space = ScaleToWindow(m_hWnd, IconSpace);
    int iconSize = ScaleToWindow(m_hWnd, IconSize);
    IconButtonLayout layout = LayOutIconButton(Rect{r.left, r.top, r.right, r.bottom}, extent.cx,
                                               m_nIconSide == IconRight, space);
    RECT textRect = {layout.textX, r.top, r.right, r.bottom};
    DrawTextA(dc, text, length, &textRect, DT_SINGLELINE | DT_VCENTER);
    if (m_hIcon)
        DrawIconEx(dc, layout.iconX, r.top, m_hIcon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    SetBkMode(dc, oldMode);
}

LRESULT IconButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown();
        return 0;
    case WM_LBUTTONUP:
        if (m_nMode == Toggle)
            OnLButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        if (m_bPressed && m_nMode == Toggle && reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_bPressed = false;
            Redraw(true);
        }
        break;
    case WM_KEYDOWN:
        // The space bar acts like a click, so the state flips as with the mouse.
        if (wParam == VK_SPACE)
            return 0;
        break;
    case WM_KEYUP:
        if (wParam == VK_SPACE) {
            if (m_nMode == Toggle)
                m_bDown = !m_bDown;
            Act();
            Redraw(true);
            return 0;
        }
        break;
    }
    return Default(message, wParam, lParam);
}

void IconButton::Redraw(bool erase) {
    InvalidateRect(m_hWnd, nullptr, erase ? TRUE : FALSE);
    UpdateWindow(m_hWnd);
}

void IconButton::Act() {
    SendMessageA(GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_hWnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(m_hWnd));
}

void IconButton::OnLButtonDown() {
    SetFocus(m_hWnd);
    if (m_nMode == Toggle) {
        SetCapture(m_hWnd);
        m_bPressed = true;
        Redraw(false);
        return;
    }
    m_bPressed = true;
    Redraw(false);
    Act();
    m_bPressed = false;
    Redraw(false);
}

void IconButton::OnLButtonUp(LPARAM lParam) {
    bool wasPressed = m_bPressed;
    if (GetCapture() == m_hWnd)
        ReleaseCapture();
    m_bPressed = false;
    RECT client;
    GetClientRect(m_hWnd, &client);
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (wasPressed && PtInRect(&client, pt)) {
        m_bDown = !m_bDown;
        Act();
    }
    Redraw(true);
}
