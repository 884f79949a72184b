#include "linux/SdlFrameTarget.h"

#include <cstring>

SdlFrameTarget::SdlFrameTarget(int width, int height, Uint32 wakeEvent)
    : m_nWidth(width), m_nHeight(height), m_nWakeEvent(wakeEvent),
      m_aImage(static_cast<size_t>(ImagePitch(width)) * height, 0) {
    m_exchange.Reset(IndexedFrame(width, height));
}

SdlFrameTarget::~SdlFrameTarget() {
    if (m_pTexture)
        SDL_DestroyTexture(m_pTexture);
}

RenderView SdlFrameTarget::View(const Rect& rect, double refreshHz) {
    return RenderView{this, rect, m_aImage.data(), ImagePitch(Width()), refreshHz};
}

void SdlFrameTarget::LoadPalette(const PaletteEntry palette[256]) {
    std::memcpy(m_aPalette, palette, sizeof m_aPalette);
}

// A copy of the 8-bit image, a quarter of the bytes the expansion writes, frees the engine for
// its next frame while the main thread shows this one.
void SdlFrameTarget::Present(int, int, int, int) {
    m_exchange.Back().Capture(m_aImage.data(), m_aPalette);
    if (m_exchange.Publish()) {
        SDL_Event event{};
        event.type = m_nWakeEvent;
        SDL_PushEvent(&event);
    }
}

bool SdlFrameTarget::Refresh(SDL_Renderer* renderer) {
    if (!m_exchange.Take())
        return false;
    if (!m_pTexture)
        m_pTexture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_STREAMING, Width(), Height());
    void* pixels = nullptr;
    int pitch = 0;
    if (!m_pTexture || SDL_LockTexture(m_pTexture, nullptr, &pixels, &pitch) != 0)
        return true;
    const IndexedFrame& frame = m_exchange.Front();
    m_expander.LoadPalette(frame.palette);
    // An ARGB8888 texture's rows are whole pixels apart.
    m_expander.Expand(frame.image.data(), ImagePitch(frame.width), frame.width, frame.height,
                      static_cast<uint32_t*>(pixels), pitch / 4);
    SDL_UnlockTexture(m_pTexture);
    return true;
}

void SdlFrameTarget::Draw(SDL_Renderer* renderer, const Rect& where) const {
    if (!m_pTexture)
        return;
    SDL_Rect rect{where.left, where.top, where.Width(), where.Height()};
    SDL_RenderCopy(renderer, m_pTexture, nullptr, &rect);
}
