#include "framework/BackBuffer.h"

BackBuffer::~BackBuffer() {
    if (m_dcMemory) {
        SelectObject(m_dcMemory, m_hOldBitmap);
        DeleteDC(m_dcMemory);
    }
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
}

HDC BackBuffer::Begin(HDC windowDc, int width, int height) {
    if (!m_hBitmap) {
        m_nWidth = width;
        m_nHeight = height;
        m_hBitmap = CreateCompatibleBitmap(windowDc, width, height);
    }
    if (!m_dcMemory) {
        m_dcMemory = CreateCompatibleDC(windowDc);
        m_hOldBitmap = SelectObject(m_dcMemory, m_hBitmap);
    }
    return m_dcMemory;
}

void BackBuffer::Present(HDC windowDc) {
    BitBlt(windowDc, 0, 0, m_nWidth, m_nHeight, m_dcMemory, 0, 0, SRCCOPY);
}
