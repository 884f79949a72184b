#include "saver/MonitorImage.h"

#include "framework/IndexedDib.h"

MonitorImage::MonitorImage(HDC window, int width, int height)
    : m_hdcWindow(window), m_nWidth(width), m_nHeight(height) {
    m_image.Create(nullptr);
    uint8_t* bits = nullptr;
    m_image.Select(CreateIndexedDib(m_image.Dc(), width, height, nullptr, &bits));
    if (m_image.Bitmap())
        m_pBits = bits;
}

void MonitorImage::LoadPalette(const PaletteEntry palette[256]) {
    if (m_image.Bitmap())
        SetDIBColorTable(m_image.Dc(), 0, 256, reinterpret_cast<const RGBQUAD*>(palette));
}

void MonitorImage::Present(int left, int top, int width, int height) {
    if (!m_hdcWindow || !m_image.Bitmap())
        return;
    // The worker wrote the bits directly: GDI must see them before copying, and the copy must
    // reach the screen before the next frame overwrites them.
    GdiFlush();
    BitBlt(m_hdcWindow, left, top, width, height, m_image.Dc(), 0, 0, SRCCOPY);
    GdiFlush();
}
