#include "engine/RenderThread.h"

#include "engine/FrameTarget.h"
#include "engine/RenderStart.h"
#include "engine/SmoothThing.h"
#include "settings/Settings.h"
#include "support/Clock.h"
#include "support/Random.h"

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
    m_nWidth = rect.Width();
    m_nHeight = rect.Height();
    m_nLeft = rect.left;
    m_nTop = rect.top;
    m_pTarget = target;
    m_pImage = image;
    m_nPitch = pitch;
    m_bRestrictParticles = restrictParticles;
    m_bCycle = cycle;
    m_pSettings->ClampDelayRange();
    m_pSmoothThing.reset();
    m_pSmoothThing = std::make_unique<SmoothThing>(m_nWidth, m_nHeight, m_pSettings,
                                                   restrictParticles, m_dAreaRatio);
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

void RenderThread::EndRender() {
    Stop();
    auto lock = Lock();
    m_pSmoothThing.reset();
}

void RenderThread::ApplyCpu() {
    SetCpu(m_pSettings->CPU);
}

void RenderThread::UpdateTargetWorms() {
    auto lock = Lock();
    if (m_pSmoothThing)
        m_pSmoothThing->UpdateTargetWorms();
}

void RenderThread::SwitchToPreset(int index) {
    auto lock = Lock();
    if (!m_bFading) {
        m_pSettings->FillPresetPalette(m_pSettings->m_pCurrentPreset, m_aFromPalette);
    } else if (m_nFadeFrame > 0) {
        // What the last fade tick loaded.
        PaletteEntry showing[256];
        BlendPalettes(m_aFromPalette, m_aToPalette, m_nFadeFrame - 1, m_pSettings->TransitionFrames,
                      showing);
        std::memcpy(m_aFromPalette, showing, sizeof showing);
    }
    // Fading with no tick yet: the from palette is still what shows.
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
    if (m_pSmoothThing)
        m_pSmoothThing->DoFrame(m_pImage, m_nPitch, m_bFading);
    if (m_pTarget)
        m_pTarget->Present(m_nLeft, m_nTop, m_nWidth, m_nHeight);
}

void RenderThread::AdvanceFade() {
    int frames = m_pSettings->TransitionFrames;
    int k = m_nFadeFrame;
    PaletteEntry palette[256];
    BlendPalettes(m_aFromPalette, m_aToPalette, k, frames, palette);
    if (m_pTarget)
        m_pTarget->LoadPalette(palette);

    if (k >= frames) {
        m_bFading = false;
        m_pSettings->SelectPreset(m_nNextPreset);
        m_dwNextSwitch = 0;
        if (m_pSmoothThing)
            m_pSmoothThing->m_bPopulate = true;
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
