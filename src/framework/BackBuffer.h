#pragma once

#include "framework/MemoryDc.h"

#include <windows.h>

// An off-screen image a control paints into and then copies to the window in one go, so that
// nothing flickers while it is dragged. Its size is fixed by the first paint.
class BackBuffer {
public:
    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;

    // A device context drawing into the buffer, made on the first call with this size.
    HDC Begin(HDC windowDc, int width, int height);
    // Copies the buffer to the window.
    void Present(HDC windowDc);

private:
    MemoryDc m_buffer;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
