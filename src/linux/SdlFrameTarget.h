#pragma once

#include "engine/FrameTarget.h"
#include "engine/PaletteExpander.h"
#include "engine/RenderThread.h"
#include "linux/FrameExchange.h"
#include "linux/IndexedFrame.h"

#include <SDL.h>
#include <cstdint>
#include <vector>

// One drawn area of an SDL window: the 8-bit image the render worker draws, and the texture the
// main thread shows it through. The worker's Present hands the image and its palette over and
// wakes the main thread, which alone talks to SDL's renderer and expands the frame straight into
// the texture: the 32-bit pixels are written once.
class SdlFrameTarget final : public FrameTarget {
public:
    SdlFrameTarget(int width, int height, Uint32 wakeEvent);
    ~SdlFrameTarget();
    SdlFrameTarget(const SdlFrameTarget&) = delete;
    SdlFrameTarget& operator=(const SdlFrameTarget&) = delete;

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    // The render's view of this target at `rect` of the window, which has the target's size,
    // shown on a display refreshing `refreshHz` times a second (0: unknown).
    RenderView View(const Rect& rect, double refreshHz);

    void LoadPalette(const PaletteEntry palette[256]) override;
    void Present(int left, int top, int width, int height) override;

    // Main thread: puts the newest frame into the texture; false when there is none since the
    // last call. The texture belongs to `renderer`, which must outlive this target.
    bool Refresh(SDL_Renderer* renderer);
    void Draw(SDL_Renderer* renderer, const Rect& where) const;

private:
    int m_nWidth;
    int m_nHeight;
    Uint32 m_nWakeEvent;
    // The worker's: what it draws into and the palette loaded last.
    std::vector<uint8_t> m_aImage;
    PaletteEntry m_aPalette[256] = {};
    FrameExchange<IndexedFrame> m_exchange;
    // The main thread's.
    PaletteExpander m_expander;
    SDL_Texture* m_pTexture = nullptr;
};
