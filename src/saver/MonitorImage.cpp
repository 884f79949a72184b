#include "saver/MonitorImage.h"

#include "framework/FrameDib.h"

#include <new>

MonitorImage::MonitorImage(HDC window, int width, int height)
    : m_hdcWindow(window), m_nWidth(width), m_nHeight(height) {
    // Zeroed: the engine starts from a black field.
    m_pImage.reset(
        new (std::nothrow)
            uint8_t[static_cast<size_t>(ImagePitch(width)) * static_cast<size_t>(height)]());
    m_frame.Create(nullptr);
    uint32_t* bits = nullptr;
    m_frame.Select(CreateFrameDib(m_frame.Dc(), width, height, &bits));
    if (m_frame.Bitmap())
        m_pFrame = bits;
}

void MonitorImage::LoadPalette(const PaletteEntry palette[256]) {
    m_expander.LoadPalette(palette);
}

void MonitorImage::Present(int left, int top, int width, int height) {
    if (!m_hdcWindow || !IsValid())
        return;
    m_expander.Expand(m_pImage.get(), ImagePitch(m_nWidth), m_nWidth, m_nHeight, m_pFrame,
                      m_nWidth);
    // The frame's bits were written directly: GDI must see them before copying, and the copy must
    // be done before the next frame overwrites them.
    GdiFlush();
    BitBlt(m_hdcWindow, left, top, width, height, m_frame.Dc(), 0, 0, SRCCOPY);
    GdiFlush();
    ++m_nPresents;
}
