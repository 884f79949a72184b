#pragma once

#include "settings/Colormap.h"

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
