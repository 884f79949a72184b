#pragma once

#include <windows.h>

// An off-screen image a control paints into and then copies to the window in one go, so that
// nothing flickers while it is dragged. Its size is fixed by the first paint.
class BackBuffer {
public:
    BackBuffer() = default;
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // A device context drawing into the buffer, made on the first call with this size.
    HDC Begin(HDC windowDc, int width, int height);
    // Copies the buffer to the window.
    void Present(HDC windowDc);

private:
    HBITMAP m_hBitmap = nullptr;
    HDC m_dcMemory = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
