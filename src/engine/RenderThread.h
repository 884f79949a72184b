#pragma once

#include "engine/WorkerThread.h"
#include "settings/Colormap.h"
#include "support/Rect.h"

#include <cstdint>
#include <memory>

class FrameTarget;
class Preset;
struct RenderStart;
class Settings;
class SmoothThing;

// The palette `k` frames into a cross-fade of `frames` frames from `from` to `to`. Channels move
// by truncating signed steps; a fade of no frames (a hand-edited setting) shows `to` at once.
void BlendPalettes(const PaletteEntry from[256], const PaletteEntry to[256], int k, int frames,
                   PaletteEntry out[256]);

// The render worker of one window: each tick advances the preset cycle (a timer, then a palette
// cross-fade), runs one engine frame into the window's image and presents it.
class RenderThread : public WorkerThread {
public:
    // The largest Delay and DelayRange the preset timer carries: it arms at up to
    // (Delay + DelayRange) * 1000 ms ahead in 32-bit ticks compared by signed distance, so twice
    // this in milliseconds must stay below 2^31.
    static constexpr int MaxDelaySeconds = 1073741;

    RenderThread(Settings* settings, RenderListener* listener);
    ~RenderThread() override;

    // Builds a fresh engine for the rectangle and starts the worker. The image and the target are
    // lent until EndRender.
    void BeginRender(FrameTarget* target, const Rect& rect, uint8_t* image, int pitch,
                     bool restrictParticles, bool cycle);
    // How every host starts drawing: the target shows the current preset's palette, the start's
    // area ratio is taken, a preview is paced like the full screen when the settings ask for it,
    // and the render begins on the image, whose rows are ImagePitch(width) bytes apart.
    void StartRender(FrameTarget* target, const RenderStart& start, uint8_t* image);
    // Stops the worker and drops the engine.
    void EndRender();
    void ApplyCpu();
    void UpdateTargetWorms();
    // Starts the cross-fade the preset timer starts, toward preset `index`, from the palette
    // showing now. It runs even when this render does not cycle, and then arms no timer.
    void SwitchToPreset(int index);
    // One frame. The worker calls it with the lock held; public so the cycle can be driven by hand.
    void Tick() override;

    // Read with the lock held while the worker runs.
    // The preset being faded to, else the current one.
    int IncomingPreset() const;
    bool Fading() const { return m_bFading; }
    bool Cycling() const { return m_bCycle; }
    bool RestrictsParticles() const { return m_bRestrictParticles; }
    // Tick count at which the next cross-fade starts; 0 while the timer is not armed.
    uint32_t NextSwitch() const { return m_dwNextSwitch; }
    // The engine of the current render; null outside one.
    const SmoothThing* Engine() const { return m_pSmoothThing.get(); }

protected:
    // BeginRender without waking the worker, for a test that ticks by hand.
    void PrepareRender(FrameTarget* target, const Rect& rect, uint8_t* image, int pitch,
                       bool restrictParticles, bool cycle);

private:
    void AdvanceFade();
    void AdvanceTimer();
    void StartFade(int index);
    int ChooseNextPreset() const;

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
    uint32_t m_dwNextSwitch = 0;
    // The fade's ends; the from end is what was showing when it started.
    PaletteEntry m_aFromPalette[256] = {};
    PaletteEntry m_aToPalette[256] = {};
    std::unique_ptr<SmoothThing> m_pSmoothThing;
    Settings* m_pSettings;
    FrameTarget* m_pTarget = nullptr;
};
