#pragma once

// The Linux host's present for the benchmark: the render worker's expansion of the 8-bit image
// through the palette into the 32-bit frame it hands to the window's thread, and after it that
// thread's upload of the frame into the texture. A frame target too, for the render thread's own
// tick.
#include "SdlTextureUpload.h"
#include "SmoothingBench.h"
#include "engine/FrameTarget.h"
#include "engine/PaletteExpander.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench {

class ExpansionHost final : public FrameTarget {
public:
    ExpansionHost(int width, int height)
        : m_nWidth(width), m_nHeight(height), m_nPitch(ImagePitch(width)),
          m_image(size_t(m_nPitch) * size_t(height), 0), m_frame(size_t(width) * size_t(height)),
          m_upload(width, height) {}

    uint8_t* Image() { return m_image.data(); }
    int Pitch() const { return m_nPitch; }
    size_t PresentBytes() const { return m_frame.size() * sizeof(uint32_t); }

    void LoadPalette(const PaletteEntry palette[256]) override { m_expander.LoadPalette(palette); }
    void Present(int, int, int width, int height) override {
        m_expander.Expand(m_image.data(), m_nPitch, width, height, m_frame.data(), width);
        Escape(m_frame.data());
    }
    void Present(const PaletteEntry* palette) {
        LoadPalette(palette);
        Present(0, 0, m_nWidth, m_nHeight);
    }

    bool Uploads() const { return m_upload.Available(); }
    void AfterPresent() {
        if (m_upload.Available())
            m_upload.Upload(m_frame.data());
    }

private:
    int m_nWidth, m_nHeight, m_nPitch;
    std::vector<uint8_t> m_image;
    std::vector<uint32_t> m_frame;
    PaletteExpander m_expander;
    SdlTextureUpload m_upload;
};

} // namespace bench
