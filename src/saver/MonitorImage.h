#pragma once

#include "engine/FrameTarget.h"
#include "engine/PaletteExpander.h"
#include "framework/MemoryDc.h"

#include <windows.h>

#include <cstdint>
#include <memory>

// One window's or one monitor's picture: the 8-bit image the engine draws into, expanded through
// the palette into a 32-bit DIB section of its own and copied to the saver's window at its place.
// A 32-bit copy needs no colour conversion, which an 8-bit one onto a true-colour screen does.
class MonitorImage final : public FrameTarget {
public:
    // Black until a palette is loaded. `window` is the saver window's context, which must outlive
    // the image.
    MonitorImage(HDC window, int width, int height);

    // False when the memory or the bitmap could not be had: such an image has nothing to draw into.
    bool IsValid() const { return m_pImage && m_pFrame; }
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // The engine's image: ImagePitch(width) bytes a row, bottom row first.
    uint8_t* Bits() const { return m_pImage.get(); }
    // The 32-bit frame copied to the window and its context.
    HDC Dc() const { return m_frame.Dc(); }
    HBITMAP Bitmap() const { return m_frame.Bitmap(); }
    // The colours shown now; read with the render lock held, as the frames it counts.
    const PaletteExpander& Colours() const { return m_expander; }
    int Presents() const { return m_nPresents; }

    // FrameTarget, called by the render thread with its lock held.
    void LoadPalette(const PaletteEntry palette[256]) override;
    void Present(int left, int top, int width, int height) override;

private:
    PaletteExpander m_expander;
    std::unique_ptr<uint8_t[]> m_pImage;
    MemoryDc m_frame;
    uint32_t* m_pFrame = nullptr;
    HDC m_hdcWindow;
    int m_nWidth;
    int m_nHeight;
    int m_nPresents = 0;
};
