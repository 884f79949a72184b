#pragma once

#include "linux/Options.h"

#include <atomic>
#include <functional>
#include <string>

class Settings;

// Renders frames without a display, as fast as the machine allows, to a GIF or a video (every
// frame) or a PNG (the last frame). The renderer's clock advances one frame period per frame, so
// preset changes and cross-fades land where they would on screen at that frame rate.
class Exporter {
public:
    using Progress = std::function<void(int done, int total)>;

    Exporter(const Options& options, Settings& settings);

    // 0 on success; 1 with Error() set when the file could not be written, or 130 when
    // `cancel` was raised. No file is left behind unless it succeeds.
    int Run(const std::atomic<bool>* cancel = nullptr, const Progress& progress = {});

    const std::string& Error() const { return m_strError; }
    // The frames the last run rendered, and the seconds from starting the renderer to the file
    // finished (an encoder holds frames back until the end).
    int FramesRendered() const { return m_nFramesRendered; }
    double Seconds() const { return m_dSeconds; }

private:
    const Options& m_options;
    Settings& m_settings;
    std::string m_strError;
    int m_nFramesRendered = 0;
    double m_dSeconds = 0;
};
