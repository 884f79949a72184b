#pragma once

// The Windows host's present for the benchmark, as the saver window does it: an 8-bit DIB section
// the engine draws into, its colour table set with SetDIBColorTable, and a BitBlt of it into a
// bitmap compatible with the screen, selected into a memory DC.
#include "engine/FrameTarget.h"
#include "framework/IndexedDib.h"
#include "framework/MemoryDc.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace bench {

class DibSectionHost {
public:
    DibSectionHost(int width, int height) : m_nWidth(width), m_nHeight(height) {
        HDC screen = GetDC(nullptr);
        m_nScreenBits = GetDeviceCaps(screen, BITSPIXEL);
        m_image.Create(screen);
        m_image.Select(CreateIndexedDib(m_image.Dc(), width, height, nullptr, &m_pImage));
        m_target.Create(screen);
        m_target.Select(CreateCompatibleBitmap(screen, width, height));
        ReleaseDC(nullptr, screen);
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
        SetDIBColorTable(m_image.Dc(), 0, 256, reinterpret_cast<const RGBQUAD*>(palette));
        GdiFlush();
        BitBlt(m_target.Dc(), 0, 0, m_nWidth, m_nHeight, m_image.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    void AfterPresent() {}

private:
    int m_nWidth, m_nHeight;
    int m_nScreenBits = 32;
    // Released in the reverse order of their making.
    MemoryDc m_image;
    MemoryDc m_target;
    uint8_t* m_pImage = nullptr;
};

} // namespace bench
