#include "engine/SmoothThing.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Width = 640;
constexpr int Height = 400;

// The population must stay packed into the first m_nWorms slots and within its cap.
bool Consistent(const SmoothThing& engine) {
    if (engine.m_nWorms < 0 || engine.m_nWorms > static_cast<int>(engine.m_apWorms.size()))
        return false;
    for (size_t i = 0; i < engine.m_apWorms.size(); ++i)
        if ((engine.m_apWorms[i] != nullptr) != (static_cast<int>(i) < engine.m_nWorms))
            return false;
    return true;
}

} // namespace

// Every factory preset for the given number of frames (100000 by default) at 640x400, each
// frame straight through the engine's frame step. Sanitizer reports end the run.
int main(int argc, char** argv) {
    long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100000;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: soak [frames per preset]\n");
        return 2;
    }
    MemoryRegStore store;
    Settings settings(store);
    std::vector<uint8_t> image(static_cast<size_t>(Width) * Height);
    auto started = std::chrono::steady_clock::now();
    for (size_t p = 0; p < settings.m_apPresets.size(); ++p) {
        settings.SelectPreset(static_cast<int>(p));
        SeedRand(static_cast<uint32_t>(p + 1));
        SmoothThing engine(Width, Height, &settings, false, 1.0);
        long most = 0;
        for (long frame = 0; frame < frames; ++frame) {
            engine.DoFrame(image.data(), Width, false);
            if (!Consistent(engine)) {
                std::fprintf(stderr, "soak: %s: worm slots inconsistent at frame %ld\n",
                             settings.m_pCurrentPreset->Name.c_str(), frame);
                return 1;
            }
            most = std::max<long>(most, engine.m_nWorms);
        }
        std::printf("soak: %-16s %ld frames, at most %ld worms\n",
                    settings.m_pCurrentPreset->Name.c_str(), frames, most);
        std::fflush(stdout);
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %zu presets x %ld frames in %.0f s\n", settings.m_apPresets.size(), frames,
                seconds);
    return 0;
}
