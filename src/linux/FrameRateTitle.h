#pragma once

#include "engine/RenderListener.h"

#include <atomic>
#include <optional>
#include <string>
#include <utility>

// The window's title with the frame rate the render worker reports each second, e.g.
// "Lumenkite - 60 fps". The worker only stores the count; the window's thread asks for the new
// title when it next looks, so the worker never waits for the window system.
class FrameRateTitle final : public RenderListener {
public:
    explicit FrameRateTitle(std::string base) : m_strBase(std::move(base)) {}

    static std::string Format(const std::string& base, int framesPerSecond);

    // Worker: the frames drawn in the last second or so.
    void OnFrameRate(int frames) override { m_nReported.store(frames); }
    void OnActivate() override {}

    // Window's thread: the title to show, when the rate changed since the last call.
    std::optional<std::string> Changed();

private:
    std::string m_strBase;
    std::atomic<int> m_nReported{-1};
    int m_nShown = -1;
};
