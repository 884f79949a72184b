#include "engine/RenderThread.h"

#include "engine/FrameTarget.h"
#include "engine/RenderStart.h"
#include "engine/SmoothThing.h"
#include "settings/Settings.h"
#include "support/Clock.h"
#include "support/Random.h"

#include <algorithm>
#include <cstring>

void BlendPalettes(const PaletteEntry from[256], const PaletteEntry to[256], int k, int frames,
                   PaletteEntry out[256]) {
    auto channel = [&](uint8_t f, uint8_t t) {
        return frames > 0 ? static_cast<uint8_t>(f + ((t - f) * k) / frames) : t;
    };
    for (int i = 0; i < 256; ++i)
        out[i] = {channel(from[i].blue, to[i].blue), channel(from[i].green, to[i].green),
                  channel(from[i].red, to[i].red), 0};
}

RenderThread::RenderThread(Settings* settings, RenderListener* listener)
    : WorkerThread(listener, "RenderThread"), m_pSettings(settings) {}

RenderThread::~RenderThread() {
    KillAndWait();
}

void RenderThread::BeginRender(FrameTarget* target, const Rect& rect, uint8_t* image, int pitch,
                               bool restrictParticles, bool cycle) {
    PrepareRender(target, rect, image, pitch, restrictParticles, cycle);
    Start();
}

void RenderThread::PrepareRender(FrameTarget* target, const Rect& rect, uint8_t* image, int pitch,
                                 bool restrictParticles, bool cycle) {
    auto lock = Lock();
    m_bRestrictParticles = restrictParticles;
    m_bCycle = cycle;
    m_pSettings->ClampDelayRange();
    // The old engines go before the new one is built: each publishes itself to the behaviours.
    m_aViews.clear();
    m_aViews.push_back({RenderView{target, rect, image, pitch, m_dRefreshHz}, nullptr, {}});
    m_aViews.back().engine = MakeEngine(rect);
    PaceViews();
}

std::unique_ptr<SmoothThing> RenderThread::MakeEngine(const Rect& rect) const {
    return std::make_unique<SmoothThing>(rect.Width(), rect.Height(), m_pSettings,
                                         m_bRestrictParticles, m_dAreaRatio);
}

const SmoothThing* RenderThread::Engine(size_t view) const {
    return view < m_aViews.size() ? m_aViews[view].engine.get() : nullptr;
}

void RenderThread::StartRender(FrameTarget* target, const RenderStart& start, uint8_t* image) {
    PaletteEntry palette[256];
    m_pSettings->FillPresetPalette(m_pSettings->m_pCurrentPreset, palette);
    {
        auto lock = Lock();
        target->LoadPalette(palette);
    }
    SetAreaRatio(start.areaRatio);
    SetFullScreenPacing(start.restrictParticles && m_pSettings->FullScreenPacing);
    BeginRender(target, start.rect, image, ImagePitch(start.rect.Width()), start.restrictParticles,
                start.cycle);
}

void RenderThread::StartRender(const std::vector<RenderView>& views, bool cycle) {
    PaletteEntry palette[256];
    m_pSettings->FillPresetPalette(m_pSettings->m_pCurrentPreset, palette);
    {
        auto lock = Lock();
        for (const RenderView& view : views) {
            if (view.target)
                view.target->LoadPalette(palette);
        }
        m_bRestrictParticles = false;
        m_bCycle = cycle;
        m_pSettings->ClampDelayRange();
        m_aViews.clear();
        for (const RenderView& view : views)
            m_aViews.push_back({view, MakeEngine(view.rect), {}});
        PaceViews();
    }
    SetAreaRatio(1.0);
    SetFullScreenPacing(false);
    Start();
}

void RenderThread::SetViews(const std::vector<RenderView>& views) {
    auto lock = Lock();
    PaletteEntry palette[256];
    ShowingPalette(palette);
    std::vector<DrawnView> kept;
    kept.reserve(views.size());
    for (const RenderView& view : views) {
        auto same = std::find_if(m_aViews.begin(), m_aViews.end(), [&](const DrawnView& old) {
            return old.engine && old.view.target == view.target &&
                   old.view.rect.Width() == view.rect.Width() &&
                   old.view.rect.Height() == view.rect.Height();
        });
        if (same != m_aViews.end()) {
            kept.push_back({view, std::move(same->engine), {}});
            continue;
        }
        kept.push_back({view, nullptr, {}});
    }
    // Freed before the new ones are built, as at any start.
    m_aViews.clear();
    for (DrawnView& drawn : kept) {
        if (drawn.engine)
            continue;
        if (drawn.view.target)
            drawn.view.target->LoadPalette(palette);
        drawn.engine = MakeEngine(drawn.view.rect);
    }
    m_aViews = std::move(kept);
    PaceViews();
}

void RenderThread::EndRender() {
    Stop();
    auto lock = Lock();
    m_aViews.clear();
}

void RenderThread::SetRefreshRate(double hz) {
    auto lock = Lock();
    m_dRefreshHz = hz;
    for (DrawnView& drawn : m_aViews)
        drawn.view.refreshHz = hz;
    PaceViews();
}

void RenderThread::PaceViews() {
    m_dFastestHz = 0.0;
    for (const DrawnView& drawn : m_aViews)
        m_dFastestHz = std::max(m_dFastestHz, DisplayRefreshRate(drawn.view.refreshHz));
    const int64_t frequency = GetClock().HighResFrequency();
    SetFrameRate(m_dFastestHz);
    for (DrawnView& drawn : m_aViews)
        drawn.cadence.SetRate(DisplayRefreshRate(drawn.view.refreshHz), frequency);
}

bool RenderThread::DueNow(DrawnView& drawn, int64_t now) {
    if (DisplayRefreshRate(drawn.view.refreshHz) >= m_dFastestHz)
        return true;
    // The worker's ticks come a fastest period apart, give or take the timer: a view due within
    // half of one is drawn now rather than a whole tick late.
    const int64_t tick =
        static_cast<int64_t>(static_cast<double>(GetClock().HighResFrequency()) / m_dFastestHz);
    if (drawn.cadence.Remaining(now) > tick / 2)
        return false;
    drawn.cadence.Started(now);
    return true;
}

void RenderThread::ShowingPalette(PaletteEntry out[256]) const {
    if (!m_bFading) {
        m_pSettings->FillPresetPalette(m_pSettings->m_pCurrentPreset, out);
    } else if (m_nFadeFrame > 0) {
        // What the last fade tick loaded.
        BlendPalettes(m_aFromPalette, m_aToPalette, m_nFadeFrame - 1, m_pSettings->TransitionFrames,
                      out);
    } else {
        // Fading with no tick yet: the from palette is still what shows.
        std::memcpy(out, m_aFromPalette, sizeof m_aFromPalette);
    }
}

void RenderThread::ApplyCpu() {
    SetCpu(m_pSettings->CPU);
}

void RenderThread::UpdateTargetWorms() {
    auto lock = Lock();
    for (DrawnView& drawn : m_aViews)
        drawn.engine->UpdateTargetWorms();
}

void RenderThread::SwitchToPreset(int index) {
    auto lock = Lock();
    PaletteEntry showing[256];
    ShowingPalette(showing);
    std::memcpy(m_aFromPalette, showing, sizeof showing);
    StartFade(index);
}

int RenderThread::IncomingPreset() const {
    return m_bFading ? m_nNextPreset : m_pSettings->CurrentPreset;
}

void RenderThread::Tick() {
    // A switch fades without cycling; only the cycle arms the timer.
    if (m_bFading)
        AdvanceFade();
    else if (m_bCycle)
        AdvanceTimer();
    const int64_t now = GetClock().HighResCounter();
    for (DrawnView& drawn : m_aViews) {
        if (!DueNow(drawn, now))
            continue;
        const RenderView& view = drawn.view;
        drawn.engine->DoFrame(view.image, view.pitch, m_bFading);
        if (view.target)
            view.target->Present(view.rect.left, view.rect.top, view.rect.Width(),
                                 view.rect.Height());
    }
}

void RenderThread::AdvanceFade() {
    int frames = m_pSettings->TransitionFrames;
    int k = m_nFadeFrame;
    PaletteEntry palette[256];
    BlendPalettes(m_aFromPalette, m_aToPalette, k, frames, palette);
    for (DrawnView& drawn : m_aViews) {
        if (drawn.view.target)
            drawn.view.target->LoadPalette(palette);
    }

    if (k >= frames) {
        m_bFading = false;
        m_pSettings->SelectPreset(m_nNextPreset);
        m_dwNextSwitch = 0;
        for (DrawnView& drawn : m_aViews)
            drawn.engine->m_bPopulate = true;
    } else {
        ++m_nFadeFrame;
    }
}

void RenderThread::AdvanceTimer() {
    uint32_t now = GetClock().TickCount();
    if (m_dwNextSwitch == 0) {
        static_assert(2ull * MaxDelaySeconds * 1000u < (1ull << 31),
                      "delay + spread at the cap must not wrap the signed tick distance");
        uint32_t delay = static_cast<uint32_t>(m_pSettings->Delay) * 1000u;
        uint32_t range = static_cast<uint32_t>(m_pSettings->DelayRange) * 1000u;
        m_dwNextSwitch = now + delay - range;
        uint32_t span = range * 2;
        if (m_pSettings->DelayRange != 0 && span != 0) {
            // The spread spans more than one draw of 0..32767: two draws make 30 bits.
            uint32_t wide = static_cast<uint32_t>(Rand()) << 15 | static_cast<uint32_t>(Rand());
            m_dwNextSwitch += wide % span;
        }
    }
    // The tick count wraps every 49.7 days: compare by the signed distance.
    if (static_cast<int32_t>(now - m_dwNextSwitch) <= 0)
        return;
    m_pSettings->FillPresetPalette(m_pSettings->m_pCurrentPreset, m_aFromPalette);
    StartFade(ChooseNextPreset());
}

void RenderThread::StartFade(int index) {
    m_nFadeFrame = 0;
    m_nNextPreset = index;
    m_pSettings->FillPresetPalette(m_pSettings->GetPreset(index), m_aToPalette);
    m_bFading = true;
}

int RenderThread::ChooseNextPreset() const {
    int count = static_cast<int>(m_pSettings->m_apPresets.size());
    int current = m_pSettings->CurrentPreset;
    if (m_pSettings->CycleType == 1 || count <= 1) {
        int next = current + 1;
        return (next >= count || next < 0) ? 0 : next;
    }
    int r = Rand() % (count - 1);
    return r >= current ? r + 1 : r;
}
