#pragma once

#include <windows.h>

// The band that takes the place of a dialog's caption: the title bitmap on a ground of its own
// top-left colour. The dialog hands it its frame messages.
class TitleBand {
public:
    explicit TitleBand(int bitmapId);
    ~TitleBand();
    TitleBand(const TitleBand&) = delete;
    TitleBand& operator=(const TitleBand&) = delete;

    // WM_NCCALCSIZE: the client area under the band; the result for the dialog procedure.
    void OnNcCalcSize(HWND hwnd, WPARAM wParam, LPARAM lParam) const;
    // After the frame's default painting (WM_NCPAINT, WM_NCACTIVATE, WM_SYSCOMMAND).
    void Paint(HWND hwnd) const;

private:
    int BandHeight(HWND hwnd) const;

    HDC m_hdcBitmap = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    COLORREF m_crFill = RGB(0, 0, 0);
};
