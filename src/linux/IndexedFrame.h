#pragma once

#include "engine/FrameTarget.h"
#include "settings/Colormap.h"

#include <cstdint>
#include <cstring>
#include <vector>

// A finished frame on its way to the screen: the engine's 8-bit bottom-up image, rows
// ImagePitch(width) bytes apart, with the palette it was drawn under. The palette travels with the
// image because it changes every frame of a cross-fade.
struct IndexedFrame {
    IndexedFrame() = default;
    IndexedFrame(int w, int h) : width(w), height(h), image(size_t(ImagePitch(w)) * size_t(h), 0) {}

    void Capture(const uint8_t* from, const PaletteEntry colours[256]) {
        std::memcpy(image.data(), from, image.size());
        std::memcpy(palette, colours, sizeof palette);
    }

    int width = 0;
    int height = 0;
    std::vector<uint8_t> image;
    PaletteEntry palette[256] = {};
};
