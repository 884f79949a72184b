#pragma once

// The Linux host's present for the benchmark: the render worker hands the 8-bit image over with
// its palette (a copy of the image), and the window's thread expands it through the palette
// straight into the locked streaming texture. Both are timed as the present, one after the other:
// the window's thread takes the frame at once, while the copy is still in the shared cache. A
// frame target too, for the render thread's own tick, which does the worker's part only.
#include "SdlStreamingTexture.h"
#include "SmoothingBench.h"
#include "engine/FrameTarget.h"
#include "engine/PaletteExpander.h"
#include "linux/IndexedFrame.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace bench {

class ExpansionHost final : public FrameTarget {
public:
    ExpansionHost(int width, int height)
        : m_nWidth(width), m_nHeight(height), m_nPitch(ImagePitch(width)),
          m_image(size_t(m_nPitch) * size_t(height), 0), m_handed(width, height),
          m_texture(width, height) {}

    uint8_t* Image() { return m_image.data(); }
    int Pitch() const { return m_nPitch; }
    // The handed-over copy of the image and the texture's pixels.
    size_t PresentBytes() const {
        return m_handed.image.size() + size_t(m_nWidth) * size_t(m_nHeight) * sizeof(uint32_t);
    }

    void LoadPalette(const PaletteEntry palette[256]) override {
        std::memcpy(m_palette, palette, sizeof m_palette);
    }
    void Present(int, int, int, int) override {
        m_handed.Capture(m_image.data(), m_palette);
        Escape(m_handed.image.data());
    }
    void Present(const PaletteEntry* palette) {
        LoadPalette(palette);
        Present(0, 0, m_nWidth, m_nHeight);
        m_expander.LoadPalette(m_handed.palette);
        int pitch = 0;
        uint32_t* pixels = m_texture.Lock(pitch);
        m_expander.Expand(m_handed.image.data(), m_nPitch, m_nWidth, m_nHeight, pixels, pitch);
        Escape(pixels);
        m_texture.Unlock();
    }
    // Nothing is left for after the memcpy: the window's thread's part is in the present.
    void AfterPresent() {}

    bool IntoTexture() const { return m_texture.IsTexture(); }

private:
    int m_nWidth, m_nHeight, m_nPitch;
    std::vector<uint8_t> m_image;
    PaletteEntry m_palette[256] = {};
    IndexedFrame m_handed;
    PaletteExpander m_expander;
    SdlStreamingTexture m_texture;
};

} // namespace bench
