#include "framework/MemoryDc.h"

MemoryDc::~MemoryDc() {
    Release();
}

void MemoryDc::Create(HDC reference) {
    Release();
    m_hdc = CreateCompatibleDC(reference);
}

void MemoryDc::Select(HBITMAP bitmap) {
    if (!m_hdc || !bitmap)
        return;
    HGDIOBJ previous = SelectObject(m_hdc, bitmap);
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    else
        m_hOldBitmap = previous;
    m_hBitmap = bitmap;
}

void MemoryDc::Release() {
    if (m_hdc) {
        if (m_hBitmap)
            SelectObject(m_hdc, m_hOldBitmap);
        DeleteDC(m_hdc);
    }
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    m_hdc = nullptr;
    m_hBitmap = nullptr;
    m_hOldBitmap = nullptr;
}
