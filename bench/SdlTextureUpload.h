#pragma once

// The Linux window thread's share of a frame: SDL_UpdateTexture of the 32-bit frame into a
// streaming texture, as the host does before drawing it. Here the software renderer on SDL's
// dummy video driver, which needs no display; where even that will not start, nothing is timed.
#include <SDL.h>

#include <cstdint>

namespace bench {

class SdlTextureUpload {
public:
    SdlTextureUpload(int width, int height) : m_nWidth(width) {
        if (!Started())
            return;
        m_pWindow = SDL_CreateWindow("bench", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
        if (m_pWindow)
            m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, SDL_RENDERER_SOFTWARE);
        if (m_pRenderer)
            m_pTexture = SDL_CreateTexture(m_pRenderer, SDL_PIXELFORMAT_ARGB8888,
                                           SDL_TEXTUREACCESS_STREAMING, width, height);
    }
    ~SdlTextureUpload() {
        if (m_pTexture)
            SDL_DestroyTexture(m_pTexture);
        if (m_pRenderer)
            SDL_DestroyRenderer(m_pRenderer);
        if (m_pWindow)
            SDL_DestroyWindow(m_pWindow);
    }
    SdlTextureUpload(const SdlTextureUpload&) = delete;
    SdlTextureUpload& operator=(const SdlTextureUpload&) = delete;

    bool Available() const { return m_pTexture != nullptr; }
    void Upload(const uint32_t* frame) {
        SDL_UpdateTexture(m_pTexture, nullptr, frame, m_nWidth * 4);
    }

private:
    // Once per process, and never shut down: the benchmark ends soon after.
    static bool Started() {
        static const bool started = [] {
            SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
            return SDL_Init(SDL_INIT_VIDEO) == 0;
        }();
        return started;
    }

    int m_nWidth;
    SDL_Window* m_pWindow = nullptr;
    SDL_Renderer* m_pRenderer = nullptr;
    SDL_Texture* m_pTexture = nullptr;
};

} // namespace bench
