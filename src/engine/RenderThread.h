#pragma once

#include "engine/FrameCadence.h"
#include "engine/WorkerThread.h"
#include "settings/Colormap.h"
#include "support/Rect.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

class FrameTarget;
class Preset;
struct RenderStart;
class Settings;
class SmoothThing;

// The palette `k` frames into a cross-fade of `frames` frames from `from` to `to`. Channels move
// by truncating signed steps; a fade of no frames (a hand-edited setting) shows `to` at once.
void BlendPalettes(const PaletteEntry from[256], const PaletteEntry to[256], int k, int frames,
                   PaletteEntry out[256]);

// One drawn area of a render: a window's image, or one monitor's on a desk of several.
struct RenderView {
    // Shows this view's image; lent until EndRender or until a SetViews leaves it out.
    FrameTarget* target = nullptr;
    // Where in the target's window; the image has its size.
    Rect rect;
    uint8_t* image = nullptr;
    int pitch = 0;
    // The refresh rate of the display showing it; 0 where the system does not say.
    double refreshHz = 0.0;
};

// The render worker of one window: each tick advances the preset cycle (a timer, then a palette
// cross-fade), runs one engine frame into each view's image and presents it. Every view has an
// engine of its own; the preset, its palette and the fades are the render's, so all views change
// together, and the processor share paces the views' frames as a whole. No view is drawn more
// often than its display refreshes: the worker ticks at the fastest display's rate, and a view on
// a slower one skips the ticks that would come before its display shows another frame.
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
    // The full screen drawn as several views (the monitors of a desk), each target showing the
    // current preset's palette. No view may be empty of targets; pitches are ImagePitch(width).
    void StartRender(const std::vector<RenderView>& views, bool cycle);
    // Follows views that came, went, moved or changed size while the render runs (monitors of a
    // desk). A view whose target was drawn before at the same size keeps its engine, only moving
    // to the new rectangle and image; any other gets a fresh engine and the palette showing now;
    // the engines of targets left out are freed.
    void SetViews(const std::vector<RenderView>& views);
    // Stops the worker and drops the engine.
    void EndRender();
    // The refresh rate of the display a single-view render is shown on, kept for later renders;
    // 0 where the system does not say, NoDisplay for frames no display paces (an export).
    void SetRefreshRate(double hz);
    static constexpr double NoDisplay = std::numeric_limits<double>::infinity();
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
    // The engine of a view of the current render; null outside one.
    const SmoothThing* Engine(size_t view = 0) const;
    size_t ViewCount() const { return m_aViews.size(); }
    const RenderView& View(size_t view) const { return m_aViews[view].view; }

protected:
    // BeginRender without waking the worker, for a test that ticks by hand.
    void PrepareRender(FrameTarget* target, const Rect& rect, uint8_t* image, int pitch,
                       bool restrictParticles, bool cycle);

private:
    // The palette on screen now: the current preset's, or the fade's last step.
    void ShowingPalette(PaletteEntry out[256]) const;
    std::unique_ptr<SmoothThing> MakeEngine(const Rect& rect) const;
    // Paces the worker by the fastest view's display and each view by its own.
    void PaceViews();
    void AdvanceFade();
    void AdvanceTimer();
    void StartFade(int index);
    int ChooseNextPreset() const;

    struct DrawnView {
        RenderView view;
        std::unique_ptr<SmoothThing> engine;
        FrameCadence cadence;
    };
    bool DueNow(DrawnView& drawn, int64_t now);

    bool m_bRestrictParticles = false;
    // A single view for a window, one per monitor for a desk.
    std::vector<DrawnView> m_aViews;
    double m_dRefreshHz = 0.0;
    double m_dFastestHz = 0.0;
    bool m_bCycle = false;
    bool m_bFading = false;
    int m_nFadeFrame = 0;
    int m_nNextPreset = 0;
    uint32_t m_dwNextSwitch = 0;
    // The fade's ends; the from end is what was showing when it started.
    PaletteEntry m_aFromPalette[256] = {};
    PaletteEntry m_aToPalette[256] = {};
    Settings* m_pSettings;
};
