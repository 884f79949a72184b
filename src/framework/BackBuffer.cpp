#include "framework/BackBuffer.h"

HDC BackBuffer::Begin(HDC windowDc, int width, int height) {
    if (!m_buffer.Dc()) {
        m_nWidth = width;
        m_nHeight = height;
        m_buffer.Create(windowDc);
        m_buffer.Select(CreateCompatibleBitmap(windowDc, width, height));
    }
    return m_buffer.Dc();
}

void BackBuffer::Present(HDC windowDc) {
    BitBlt(windowDc, 0, 0, m_nWidth, m_nHeight, m_buffer.Dc(), 0, 0, SRCCOPY);
}
