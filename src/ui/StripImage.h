#pragma once

#include "framework/MemoryDc.h"

#include <windows.h>

class Colormap;

// A colormap drawn as a 256 x 32 strip: a ramp image whose colour table is the colormap's
// palette. Stale after an edit until the next Update.
class StripImage {
public:
    StripImage();
    StripImage(const StripImage&) = delete;
    StripImage& operator=(const StripImage&) = delete;

    void Update(const Colormap& colormap);
    void Draw(HDC dc, int x, int y, int width, int height) const;

private:
    MemoryDc m_image;
};
