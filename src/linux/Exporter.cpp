#include "linux/Exporter.h"

#include "engine/FrameTarget.h"
#include "engine/RenderThread.h"
#include "engine/SmoothThing.h"
#include "linux/GifWriter.h"
#include "linux/PngWriter.h"
#include "settings/Settings.h"
#include "support/Clock.h"
#include "support/Trace.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Time that moves only when a frame is made. Starts well clear of 0, which the preset timer
// reads as "not armed".
class ExportClock final : public Clock {
public:
    explicit ExportClock(int fps) : m_nFps(fps) {}
    void SetFrame(int frame) { m_nFrame = frame; }
    uint32_t TickCount() override {
        return Start + static_cast<uint32_t>(static_cast<int64_t>(m_nFrame) * 1000 / m_nFps);
    }
    int64_t HighResCounter() override { return static_cast<int64_t>(TickCount()) * 1000; }
    int64_t HighResFrequency() override { return 1000000; }

private:
    static constexpr uint32_t Start = 1000;
    int m_nFps;
    int m_nFrame = 0;
};

// Keeps the palette the render thread loads and turns each presented bottom-up image into an
// upright frame.
class ExportTarget final : public FrameTarget {
public:
    ExportTarget(const uint8_t* image, int pitch, int width, int height)
        : m_pImage(image), m_nPitch(pitch), m_nWidth(width), m_nHeight(height),
          m_aFrame(static_cast<size_t>(width) * height) {}

    void LoadPalette(const PaletteEntry palette[256]) override {
        std::memcpy(m_aPalette, palette, sizeof m_aPalette);
    }
    void Present(int, int, int, int) override {
        for (int y = 0; y < m_nHeight; ++y)
            std::memcpy(&m_aFrame[static_cast<size_t>(y) * m_nWidth],
                        m_pImage + static_cast<size_t>(m_nHeight - 1 - y) * m_nPitch, m_nWidth);
    }

    PaletteEntry m_aPalette[256] = {};
    const uint8_t* m_pImage;
    int m_nPitch;
    int m_nWidth;
    int m_nHeight;
    std::vector<uint8_t> m_aFrame;
};

// Puts the previous clock back however the export ends.
class ClockScope {
public:
    explicit ClockScope(Clock* clock) : m_pPrevious(SetClock(clock)) {}
    ~ClockScope() { SetClock(m_pPrevious); }

private:
    Clock* m_pPrevious;
};

} // namespace

Exporter::Exporter(const Options& options, Settings& settings)
    : m_options(options), m_settings(settings) {}

int Exporter::Run(const std::atomic<bool>* cancel, const Progress& progress) {
    const int width = m_options.width;
    const int height = m_options.height;
    const bool gif = m_options.mode == Mode::Gif;

    // Open the output first, so an unwritable place fails before any rendering.
    GifWriter writer;
    if (gif && !writer.Open(m_options.output, width, height)) {
        m_strError = writer.Error();
        return 1;
    }
    if (!gif) {
        // A PNG is written whole at the end; check the place now all the same.
        OutputFile probe;
        if (!probe.Open(m_options.output)) {
            m_strError = probe.Error();
            return 1;
        }
    }

    const int pitch = ImagePitch(width);
    std::vector<uint8_t> image(static_cast<size_t>(pitch) * height);
    ExportTarget target(image.data(), pitch, width, height);
    m_settings.FillPresetPalette(m_settings.m_pCurrentPreset, target.m_aPalette);

    ExportClock clock(m_options.fps);
    ClockScope clockScope(&clock);
    RenderThread renderer(&m_settings, nullptr);
    {
        // What BeginRender sets up, without waking the worker: the frames are driven from here.
        std::lock_guard lock(renderer.m_Lock);
        renderer.m_nWidth = width;
        renderer.m_nHeight = height;
        renderer.m_pTarget = &target;
        renderer.m_pImage = image.data();
        renderer.m_nPitch = pitch;
        renderer.m_bCycle = m_settings.Cycle;
        if (m_settings.DelayRange > m_settings.Delay)
            m_settings.DelayRange = m_settings.Delay;
        renderer.m_pSmoothThing =
            std::make_unique<SmoothThing>(width, height, &m_settings, false, 1.0);
    }
    Trace(TraceInfo, "Export: %d frames of %dx%d to %s", m_options.frames, width, height,
          m_options.output.c_str());

    int status = 0;
    for (int frame = 0; frame < m_options.frames; ++frame) {
        if (cancel && cancel->load()) {
            status = 130;
            break;
        }
        clock.SetFrame(frame);
        {
            std::lock_guard lock(renderer.m_Lock);
            renderer.Tick();
        }
        if (gif && !writer.AddFrame(target.m_aFrame.data(), width, target.m_aPalette,
                                    GifFrameDelay(frame, m_options.fps))) {
            m_strError = writer.Error();
            status = 1;
            break;
        }
        if (progress)
            progress(frame + 1, m_options.frames);
    }
    {
        std::lock_guard lock(renderer.m_Lock);
        renderer.m_pSmoothThing.reset();
        renderer.m_pTarget = nullptr;
    }
    if (status != 0) {
        writer.Abandon();
        return status;
    }
    if (gif) {
        if (!writer.Commit()) {
            m_strError = writer.Error();
            return 1;
        }
        return 0;
    }
    if (!WritePng(m_options.output, target.m_aFrame.data(), width, width, height, target.m_aPalette,
                  m_strError))
        return 1;
    return 0;
}
