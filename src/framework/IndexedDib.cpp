#include "framework/IndexedDib.h"

#include <cstring>

HBITMAP CreateIndexedDib(HDC dc, int width, int height, const PaletteEntry* colours,
                         uint8_t** bits) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    static_assert(sizeof(PaletteEntry) == sizeof(RGBQUAD));
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    info.header.biSizeImage = static_cast<DWORD>((width + 3) & ~3) * static_cast<DWORD>(height);
    if (colours)
        std::memcpy(info.colours, colours, sizeof info.colours);
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &pixels, nullptr, 0);
    *bits = static_cast<uint8_t*>(pixels);
    return bitmap;
}
