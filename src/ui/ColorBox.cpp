#include "ui/ColorBox.h"

void ColorBox::SetColor(COLORREF color) {
    m_crColor = color;
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

LRESULT ColorBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return Default(message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    RECT client;
    GetClientRect(m_hWnd, &client);
    HBRUSH brush = CreateSolidBrush(m_crColor);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(m_hWnd, &paint);
    return 0;
}
