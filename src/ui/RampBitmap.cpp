#include "ui/RampBitmap.h"

#include "editor/RampRow.h"
#include "framework/IndexedDib.h"

#include <cstddef>

HBITMAP CreateRampBitmap(HDC dc, int width, int height) {
    if (width <= 0 || height <= 0)
        return nullptr;
    uint8_t* rows = nullptr;
    HBITMAP bitmap = CreateIndexedDib(dc, width, height, nullptr, &rows);
    if (!bitmap || !rows)
        return bitmap;
    const size_t stride = static_cast<size_t>((width + 3) & ~3);
    for (int y = 0; y < height; ++y)
        FillRampRow(rows + static_cast<size_t>(y) * stride, width);
    return bitmap;
}
