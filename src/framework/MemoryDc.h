#pragma once

#include <windows.h>

// A memory device context and the bitmap selected into it, owned together: on release the bitmap
// is selected out again, then the context and the bitmap are deleted, in that order. Empty until
// Create.
class MemoryDc {
public:
    MemoryDc() = default;
    ~MemoryDc();
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    // A fresh context compatible with `reference` (null for the screen), with nothing of ours
    // selected; whatever was held before is released.
    void Create(HDC reference);
    // Selects the bitmap in and owns it; the bitmap it replaces is deleted. A null bitmap is
    // ignored, so a failed creation leaves the context as it was.
    void Select(HBITMAP bitmap);
    void Release();

    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hBitmap; }

private:
    HDC m_hdc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
};
