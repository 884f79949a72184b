#pragma once

#include "engine/FrameTarget.h"
#include "engine/RenderThread.h"
#include "linux/FrameExchange.h"
#include "engine/PaletteExpander.h"

#include <SDL.h>
#include <cstdint>
#include <vector>

// One drawn area of an SDL window: the 8-bit image the render worker draws, and the texture the
// main thread shows it through. The worker's Present expands the image through the palette into
// the exchange and wakes the main thread, which alone talks to SDL's renderer.
class SdlFrameTarget final : public FrameTarget {
public:
    SdlFrameTarget(int width, int height, Uint32 wakeEvent);
    ~SdlFrameTarget();
    SdlFrameTarget(const SdlFrameTarget&) = delete;
    SdlFrameTarget& operator=(const SdlFrameTarget&) = delete;

    int Width() const { return m_exchange.Width(); }
    int Height() const { return m_exchange.Height(); }
    // The render's view of this target at `rect` of the window, which has the target's size.
    RenderView View(const Rect& rect);

    void LoadPalette(const PaletteEntry palette[256]) override { m_expander.LoadPalette(palette); }
    void Present(int left, int top, int width, int height) override;

    // Main thread: puts the newest frame into the texture; false when there is none since the
    // last call. The texture belongs to `renderer`, which must outlive this target.
    bool Refresh(SDL_Renderer* renderer);
    void Draw(SDL_Renderer* renderer, const Rect& where) const;

private:
    Uint32 m_nWakeEvent;
    std::vector<uint8_t> m_aImage;
    FrameExchange m_exchange;
    PaletteExpander m_expander;
    SDL_Texture* m_pTexture = nullptr;
};
