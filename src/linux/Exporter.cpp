#include "linux/Exporter.h"

#include "engine/FrameTarget.h"
#include "engine/RenderThread.h"
#include "linux/GifWriter.h"
#include "linux/PngWriter.h"
#include "linux/VideoWriter.h"
#include "settings/Settings.h"
#include "support/Clock.h"
#include "support/Trace.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
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
    std::atomic<int> m_nFrame{0};
};

// Runs on the render worker: keeps the palette it loads, turns each presented bottom-up image
// into an upright frame and hands it on, then moves the clock to the next frame's time. Once
// the last frame is out it ignores whatever the worker still makes before it is stopped.
class ExportTarget final : public FrameTarget {
public:
    // Called with each frame's number once its upright pixels are in m_aFrame; false ends the
    // export there.
    using Sink = std::function<bool(int frame)>;

    ExportTarget(const uint8_t* image, int pitch, int width, int height, int frames,
                 ExportClock& clock, Sink sink)
        : m_pImage(image), m_nPitch(pitch), m_nWidth(width), m_nHeight(height), m_nFrames(frames),
          m_aFrame(static_cast<size_t>(width) * height), m_clock(clock), m_sink(std::move(sink)),
          m_bDone(frames <= 0) {}

    void LoadPalette(const PaletteEntry palette[256]) override {
        if (!m_bDone)
            std::memcpy(m_aPalette, palette, sizeof m_aPalette);
    }
    void Present(int, int, int, int) override {
        if (m_bDone)
            return;
        for (int y = 0; y < m_nHeight; ++y)
            std::memcpy(&m_aFrame[static_cast<size_t>(y) * m_nWidth],
                        m_pImage + static_cast<size_t>(m_nHeight - 1 - y) * m_nPitch, m_nWidth);
        bool more = m_sink(m_nFrame);
        ++m_nFrame;
        m_clock.SetFrame(m_nFrame);
        if (!more || m_nFrame == m_nFrames) {
            std::lock_guard lock(m_doneLock);
            m_bDone = true;
            m_doneChanged.notify_all();
        }
    }

    int Frames() const { return m_nFrame; }

    // Called off the worker; the worker never waits for it, so it may hold the render lock.
    void WaitUntilDone() {
        std::unique_lock lock(m_doneLock);
        m_doneChanged.wait(lock, [this] { return m_bDone; });
    }

    PaletteEntry m_aPalette[256] = {};
    const uint8_t* m_pImage;
    int m_nPitch;
    int m_nWidth;
    int m_nHeight;
    int m_nFrames;
    std::vector<uint8_t> m_aFrame;

private:
    ExportClock& m_clock;
    Sink m_sink;
    int m_nFrame = 0;
    std::mutex m_doneLock;
    std::condition_variable m_doneChanged;
    bool m_bDone;
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
    const bool video = m_options.mode == Mode::Video;

    // Open the output first, so an unwritable place fails before any rendering.
    GifWriter writer;
    VideoWriter videoWriter;
    if (gif && !writer.Open(m_options.output, width, height)) {
        m_strError = writer.Error();
        return 1;
    }
    if (video && !videoWriter.Open(m_options.output, width, height, m_options.fps)) {
        m_strError = videoWriter.Error();
        return 1;
    }
    if (!gif && !video) {
        // A PNG is written whole at the end; check the place now all the same.
        OutputFile probe;
        if (!probe.Open(m_options.output)) {
            m_strError = probe.Error();
            return 1;
        }
    }

    const int pitch = ImagePitch(width);
    std::vector<uint8_t> image(static_cast<size_t>(pitch) * height);
    ExportClock clock(m_options.fps);
    ClockScope clockScope(&clock);

    int status = 0;
    uint8_t* frameBits = nullptr;
    const PaletteEntry* framePalette = nullptr;
    // On the worker, with the render lock held, once per frame.
    auto writeFrame = [&](int frame) {
        if (cancel && cancel->load()) {
            status = 130;
            return false;
        }
        if (gif &&
            !writer.AddFrame(frameBits, width, framePalette, GifFrameDelay(frame, m_options.fps))) {
            m_strError = writer.Error();
            status = 1;
            return false;
        }
        if (video && !videoWriter.AddFrame(frameBits, width, framePalette)) {
            m_strError = videoWriter.Error();
            status = 1;
            return false;
        }
        if (progress)
            progress(frame + 1, m_options.frames);
        return true;
    };
    ExportTarget target(image.data(), pitch, width, height, m_options.frames, clock, writeFrame);
    frameBits = target.m_aFrame.data();
    framePalette = target.m_aPalette;
    m_settings.FillPresetPalette(m_settings.m_pCurrentPreset, target.m_aPalette);

    RenderThread renderer(&m_settings, nullptr);
    // No pause between frames: the worker makes them as fast as it can.
    renderer.SetCpu(100);
    renderer.SetRefreshRate(RenderThread::NoDisplay);
    const auto started = std::chrono::steady_clock::now();
    renderer.BeginRender(&target, Rect{0, 0, width, height}, image.data(), pitch, false,
                         m_settings.Cycle);
    Trace(TraceInfo, "Export: %d frames of %dx%d to %s", m_options.frames, width, height,
          m_options.output.c_str());
    target.WaitUntilDone();
    renderer.EndRender();
    // The worker is stopped: the count no longer moves.
    m_nFramesRendered = target.Frames();

    if (status != 0) {
        writer.Abandon();
        videoWriter.Abandon();
        return status;
    }
    if (gif && !writer.Commit()) {
        m_strError = writer.Error();
        return 1;
    }
    if (video && !videoWriter.Commit()) {
        m_strError = videoWriter.Error();
        return 1;
    }
    if (!gif && !video &&
        !WritePng(m_options.output, target.m_aFrame.data(), width, width, height, target.m_aPalette,
                  m_strError))
        return 1;
    m_dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return 0;
}
