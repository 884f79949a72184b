#pragma once

#include "engine/FrameTarget.h"
#include "framework/MemoryDc.h"

#include <windows.h>

#include <cstdint>

// One monitor's 8-bit image on a desk of several: a DIB section in a memory context of its own,
// copied to the saver's window at the monitor's place.
class MonitorImage final : public FrameTarget {
public:
    // Black until a palette is loaded. `window` is the saver window's context, which must outlive
    // the image.
    MonitorImage(HDC window, int width, int height);

    // False when the system could not make the bitmap: such an image has no pixels to draw into.
    bool IsValid() const { return m_pBits != nullptr; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    uint8_t* Bits() const { return m_pBits; }
    HDC Dc() const { return m_image.Dc(); }
    HBITMAP Bitmap() const { return m_image.Bitmap(); }

    // FrameTarget, called by the render thread with its lock held.
    void LoadPalette(const PaletteEntry palette[256]) override;
    void Present(int left, int top, int width, int height) override;

private:
    MemoryDc m_image;
    HDC m_hdcWindow;
    int m_nWidth;
    int m_nHeight;
    uint8_t* m_pBits = nullptr;
};
