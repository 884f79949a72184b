#include "ui/StripImage.h"

#include "settings/Colormap.h"
#include "ui/RampBitmap.h"

#include <algorithm>

namespace {

constexpr int StripWidth = 256;
constexpr int StripHeight = 32;

} // namespace

StripImage::StripImage() {
    HDC screen = GetDC(nullptr);
    m_dcMemory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
}

StripImage::~StripImage() {
    if (m_hBitmap) {
        if (m_hOldBitmap)
            SelectObject(m_dcMemory, m_hOldBitmap);
        DeleteObject(m_hBitmap);
    }
    if (m_dcMemory)
        DeleteDC(m_dcMemory);
}

void StripImage::Update(const Colormap& colormap) {
    if (!m_hBitmap) {
        m_hBitmap = CreateRampBitmap(m_dcMemory, StripWidth, StripHeight);
        if (m_hBitmap)
            m_hOldBitmap = SelectObject(m_dcMemory, m_hBitmap);
    }
    PaletteEntry table[256];
    colormap.FillColorTable(table);
    SetDIBColorTable(m_dcMemory, 0, 256, reinterpret_cast<const RGBQUAD*>(table));
}

void StripImage::Draw(HDC dc, int x, int y, int width, int height) const {
    // Every row of the strip is the same, so a destination taller than the image (a scaled
    // display) stretches the rows it has.
    const int sourceHeight = std::min(height, StripHeight);
    if (width == StripWidth && height <= StripHeight) {
        BitBlt(dc, x, y, StripWidth, height, m_dcMemory, 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, x, y, width, height, m_dcMemory, 0, 0, StripWidth, sourceHeight, SRCCOPY);
}
