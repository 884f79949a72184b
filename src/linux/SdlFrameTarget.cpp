#include "linux/SdlFrameTarget.h"

SdlFrameTarget::SdlFrameTarget(int width, int height, Uint32 wakeEvent)
    : m_nWakeEvent(wakeEvent), m_aImage(static_cast<size_t>(ImagePitch(width)) * height, 0) {
    m_exchange.Resize(width, height);
}

SdlFrameTarget::~SdlFrameTarget() {
    if (m_pTexture)
        SDL_DestroyTexture(m_pTexture);
}

RenderView SdlFrameTarget::View(const Rect& rect) {
    return RenderView{this, rect, m_aImage.data(), ImagePitch(Width())};
}

void SdlFrameTarget::Present(int, int, int width, int height) {
    m_expander.Expand(m_aImage.data(), ImagePitch(Width()), width, height, m_exchange.Back(),
                      width);
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
    if (m_pTexture)
        SDL_UpdateTexture(m_pTexture, nullptr, m_exchange.Front(), Width() * 4);
    return true;
}

void SdlFrameTarget::Draw(SDL_Renderer* renderer, const Rect& where) const {
    if (!m_pTexture)
        return;
    SDL_Rect rect{where.left, where.top, where.Width(), where.Height()};
    SDL_RenderCopy(renderer, m_pTexture, nullptr, &rect);
}
