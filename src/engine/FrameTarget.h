#pragma once

#include "settings/Colormap.h"

// Bytes per row of the 8-bit bottom-up image: rows are padded to a multiple of four bytes.
constexpr int ImagePitch(int width) {
    return ((width * 8 + 31) & ~31) / 8;
}

// Whatever shows the frames: the window that lends its 8-bit image to the render thread.
class FrameTarget {
public:
    // Loads 256 entries into the shown image's colour table.
    virtual void LoadPalette(const PaletteEntry palette[256]) = 0;
    // Copies the image onto the window at the draw area.
    virtual void Present(int left, int top, int width, int height) = 0;

protected:
    ~FrameTarget() = default;
};
