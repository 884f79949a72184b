#pragma once

// The Windows host's present for the benchmark, as the saver window does it: an 8-bit DIB section
// the engine draws into, its colour table set with SetDIBColorTable, and a BitBlt of it into a
// bitmap compatible with the screen, selected into a memory DC.
#include "engine/FrameTarget.h"
#include "framework/IndexedDib.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace bench {

class DibSectionHost {
public:
    DibSectionHost(int width, int height) : m_nWidth(width), m_nHeight(height) {
        HDC screen = GetDC(nullptr);
        m_nScreenBits = GetDeviceCaps(screen, BITSPIXEL);
        m_hdcImage = CreateCompatibleDC(screen);
        m_hImage = CreateIndexedDib(m_hdcImage, width, height, nullptr, &m_pImage);
        m_hOldImage = SelectObject(m_hdcImage, m_hImage);
        m_hdcTarget = CreateCompatibleDC(screen);
        m_hTarget = CreateCompatibleBitmap(screen, width, height);
        m_hOldTarget = SelectObject(m_hdcTarget, m_hTarget);
        ReleaseDC(nullptr, screen);
    }
    ~DibSectionHost() {
        SelectObject(m_hdcTarget, m_hOldTarget);
        DeleteObject(m_hTarget);
        DeleteDC(m_hdcTarget);
        SelectObject(m_hdcImage, m_hOldImage);
        DeleteObject(m_hImage);
        DeleteDC(m_hdcImage);
    }
    DibSectionHost(const DibSectionHost&) = delete;
    DibSectionHost& operator=(const DibSectionHost&) = delete;

    uint8_t* Image() { return m_pImage; }
    int Pitch() const { return ImagePitch(m_nWidth); }
    size_t PresentBytes() const {
        return size_t(m_nWidth) * size_t(m_nHeight) * size_t(m_nScreenBits) / 8;
    }
    int ScreenBits() const { return m_nScreenBits; }

    void Present(const PaletteEntry* palette) {
        SetDIBColorTable(m_hdcImage, 0, 256, reinterpret_cast<const RGBQUAD*>(palette));
        GdiFlush();
        BitBlt(m_hdcTarget, 0, 0, m_nWidth, m_nHeight, m_hdcImage, 0, 0, SRCCOPY);
        GdiFlush();
    }
    void AfterPresent() {}

private:
    int m_nWidth, m_nHeight;
    int m_nScreenBits = 32;
    HDC m_hdcImage = nullptr, m_hdcTarget = nullptr;
    HBITMAP m_hImage = nullptr, m_hTarget = nullptr;
    HGDIOBJ m_hOldImage = nullptr, m_hOldTarget = nullptr;
    uint8_t* m_pImage = nullptr;
};

} // namespace bench
