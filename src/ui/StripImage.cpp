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
    m_image.Create(screen);
    ReleaseDC(nullptr, screen);
}

void StripImage::Update(const Colormap& colormap) {
    if (!m_image.Bitmap())
        m_image.Select(CreateRampBitmap(m_image.Dc(), StripWidth, StripHeight));
    PaletteEntry table[256];
    colormap.FillColorTable(table);
    SetDIBColorTable(m_image.Dc(), 0, 256, reinterpret_cast<const RGBQUAD*>(table));
}

void StripImage::Draw(HDC dc, int x, int y, int width, int height) const {
    // Every row of the strip is the same, so a destination taller than the image (a scaled
    // display) stretches the rows it has.
    const int sourceHeight = std::min(height, StripHeight);
    if (width == StripWidth && height <= StripHeight) {
        BitBlt(dc, x, y, StripWidth, height, m_image.Dc(), 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, x, y, width, height, m_image.Dc(), 0, 0, StripWidth, sourceHeight, SRCCOPY);
}
