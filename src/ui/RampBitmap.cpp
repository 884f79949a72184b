#include "ui/RampBitmap.h"

#include "editor/RampRow.h"

#include <cstdint>
#include <vector>

namespace {

// The header of an 8-bit DIB with its 256-entry colour table, left black for the caller.
struct RampInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

} // namespace

HBITMAP CreateRampBitmap(HDC dc, int width, int height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    const int stride = (width + 3) & ~3;
    RampInfo info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height; // bottom-up
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (!bitmap || !bits)
        return bitmap;
    auto* rows = static_cast<uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        FillRampRow(rows + static_cast<size_t>(y) * stride, width);
    return bitmap;
}
