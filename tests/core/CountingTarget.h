#pragma once

#include "engine/FrameTarget.h"

#include <atomic>

// A frame target for tests with a live worker: counts what the worker hands over.
class CountingTarget final : public FrameTarget {
public:
    void LoadPalette(const PaletteEntry*) override { ++m_loads; }
    void Present(int, int, int, int) override { ++m_presents; }
    std::atomic<int> m_loads{0};
    std::atomic<int> m_presents{0};
};
