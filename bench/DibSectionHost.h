#pragma once

// The Windows host's present for the benchmark, as the saver window does it: the engine's 8-bit
// image expanded through the palette into a 32-bit top-down DIB section in a memory DC, and a
// BitBlt of that into a bitmap compatible with the screen, selected into another memory DC.
#include "SmoothingBench.h"
#include "engine/FrameTarget.h"
#include "engine/PaletteExpander.h"
#include "framework/FrameDib.h"
#include "framework/MemoryDc.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

class DibSectionHost {
public:
    DibSectionHost(int width, int height)
        : m_nWidth(width), m_nHeight(height), m_image(size_t(ImagePitch(width)) * size_t(height)) {
        HDC screen = GetDC(nullptr);
        m_nScreenBits = GetDeviceCaps(screen, BITSPIXEL);
        m_frame.Create(screen);
        m_frame.Select(CreateFrameDib(m_frame.Dc(), width, height, &m_pFrame));
        m_target.Create(screen);
        m_target.Select(CreateCompatibleBitmap(screen, width, height));
        ReleaseDC(nullptr, screen);
    }
    DibSectionHost(const DibSectionHost&) = delete;
    DibSectionHost& operator=(const DibSectionHost&) = delete;

    uint8_t* Image() { return m_image.data(); }
    int Pitch() const { return ImagePitch(m_nWidth); }
    // The 32-bit frame the expansion writes and the screen bitmap the blit writes.
    size_t PresentBytes() const {
        const size_t pixels = size_t(m_nWidth) * size_t(m_nHeight);
        return pixels * 4 + pixels * size_t(m_nScreenBits) / 8;
    }
    int ScreenBits() const { return m_nScreenBits; }

    void Present(const PaletteEntry* palette) {
        m_expander.LoadPalette(palette);
        Expand();
        Blit();
    }
    // The present's two halves, timed apart to tell which one limits it.
    void Expand() {
        m_expander.Expand(m_image.data(), Pitch(), m_nWidth, m_nHeight, m_pFrame, m_nWidth);
        Escape(m_pFrame);
    }
    void Blit() {
        GdiFlush();
        BitBlt(m_target.Dc(), 0, 0, m_nWidth, m_nHeight, m_frame.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    void AfterPresent() {}

private:
    int m_nWidth, m_nHeight;
    int m_nScreenBits = 32;
    std::vector<uint8_t> m_image;
    PaletteExpander m_expander;
    // Released in the reverse order of their making.
    MemoryDc m_frame;
    MemoryDc m_target;
    uint32_t* m_pFrame = nullptr;
};

} // namespace bench
