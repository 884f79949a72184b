#pragma once

#include "engine/WorkerThread.h"
#include "settings/Colormap.h"
#include "support/Rect.h"

#include <cstdint>
#include <memory>

class FrameTarget;
class Preset;
class Settings;
class SmoothThing;

// The render worker of one window: each tick advances the preset cycle (a timer, then a palette
// cross-fade), runs one engine frame into the window's image and presents it.
class RenderThread final : public WorkerThread {
public:
    RenderThread(Settings* settings, RenderListener* listener);
    ~RenderThread() override;

    // Builds a fresh engine for the rectangle and starts the worker. The image and the target are
    // lent until EndRender.
    void BeginRender(FrameTarget* target, const Rect& rect, uint8_t* image, int pitch,
                     bool restrictParticles, bool cycle);
    // Stops the worker and drops the engine.
    void EndRender();
    void ApplyCpu();
    void UpdateTargetWorms();
    // One frame. The worker calls it with m_Lock held; public so the cycle can be driven by hand.
    void Tick() override;

    bool m_bRestrictParticles = false;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nLeft = 0;
    int m_nTop = 0;
    uint8_t* m_pImage = nullptr;
    int m_nPitch = 0;
    bool m_bCycle = false;
    bool m_bFading = false;
    int m_nFadeFrame = 0;
    int m_nNextPreset = 0;
    // Tick count at which the next cross-fade starts; 0 while the timer is not armed.
    uint32_t m_dwNextSwitch = 0;
    PaletteEntry m_aFromPalette[256] = {};
    PaletteEntry m_aToPalette[256] = {};
    std::unique_ptr<SmoothThing> m_pSmoothThing;
    Settings* m_pSettings;
    FrameTarget* m_pTarget = nullptr;

private:
    void AdvanceFade();
    void AdvanceTimer();
    int ChooseNextPreset() const;
};
