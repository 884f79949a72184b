#pragma once

// The streaming texture the Linux window's thread expands each frame into, as the host does:
// ARGB8888 on the software renderer on SDL's dummy video driver, which needs no display. Where
// even that will not start, plain memory of the same size stands in.
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

class SdlStreamingTexture {
public:
    SdlStreamingTexture(int width, int height) {
        if (Started()) {
            m_pWindow = SDL_CreateWindow("bench", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
            if (m_pWindow)
                m_pRenderer = SDL_CreateRenderer(m_pWindow, -1, SDL_RENDERER_SOFTWARE);
            if (m_pRenderer)
                m_pTexture = SDL_CreateTexture(m_pRenderer, SDL_PIXELFORMAT_ARGB8888,
                                               SDL_TEXTUREACCESS_STREAMING, width, height);
        }
        if (!m_pTexture)
            m_memory.assign(size_t(width) * size_t(height), 0);
        m_nMemoryPitch = width;
    }
    ~SdlStreamingTexture() {
        if (m_pTexture)
            SDL_DestroyTexture(m_pTexture);
        if (m_pRenderer)
            SDL_DestroyRenderer(m_pRenderer);
        if (m_pWindow)
            SDL_DestroyWindow(m_pWindow);
    }
    SdlStreamingTexture(const SdlStreamingTexture&) = delete;
    SdlStreamingTexture& operator=(const SdlStreamingTexture&) = delete;

    bool IsTexture() const { return m_pTexture != nullptr; }
    // The pixels to write, rows `pitch` pixels apart, until Unlock.
    uint32_t* Lock(int& pitch) {
        if (!m_pTexture) {
            pitch = m_nMemoryPitch;
            return m_memory.data();
        }
        void* pixels = nullptr;
        int bytes = 0;
        SDL_LockTexture(m_pTexture, nullptr, &pixels, &bytes);
        pitch = bytes / 4;
        return static_cast<uint32_t*>(pixels);
    }
    void Unlock() {
        if (m_pTexture)
            SDL_UnlockTexture(m_pTexture);
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

    SDL_Window* m_pWindow = nullptr;
    SDL_Renderer* m_pRenderer = nullptr;
    SDL_Texture* m_pTexture = nullptr;
    std::vector<uint32_t> m_memory;
    int m_nMemoryPitch = 0;
};

} // namespace bench
