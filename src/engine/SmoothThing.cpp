#include "engine/SmoothThing.h"

#include "behaviours/Worm.h"
#include "behaviours/WormFactory.h"
#include "behaviours/WormGlobals.h"
#include "engine/Smoothing.h"
#include "settings/Preset.h"
#include "settings/Settings.h"
#include "settings/WormTypes.h"
#include "support/Random.h"
#include "support/Trace.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <ctime>
#include <iterator>
#include <utility>

namespace {

constexpr int MaxWorms = 500;

// 500 / areaRatio, truncated; a ratio that is 0, negative or not a number must
// still give a usable cap.
int CapForAreaRatio(double areaRatio) {
    const double cap = MaxWorms / areaRatio;
    if (!(cap > 0))
        return 0;
    if (cap >= MaxWorms)
        return MaxWorms;
    return static_cast<int>(cap);
}

// The engine whose live counts g_anLiveWorms holds; the others keep theirs aside.
SmoothThing* g_pPublishedEngine = nullptr;

unsigned AddressForTrace(const void* p) {
    return static_cast<unsigned>(reinterpret_cast<uintptr_t>(p));
}

} // namespace

SmoothThing::SmoothThing(int width, int height, Settings* settings, bool restrictParticles,
                         double areaRatio) {
    m_dAreaRatio = areaRatio;
    m_nWidth = width;
    m_nHeight = height;
    m_nWorms = 0;
    m_nTargetWorms = 0;
    m_nMaxWorms = MaxWorms;
    m_bRestrictParticles = restrictParticles;
    m_bPopulate = true;
    m_pSettings = settings;
    Trace(TraceInfo, "SmoothThing: Object created");

    SeedRand(FixedSeed().value_or(static_cast<uint32_t>(std::time(nullptr))));

    if (m_pSettings->DoublePixels) {
        Trace(TraceInfo, "SmoothThing: m_bDoublePixels set, halving display size");
        m_bDoublePixels = true;
        m_nWidth = width / 2;
        m_nHeight = height / 2;
    }
    if (m_bRestrictParticles) {
        Trace(TraceInfo, "SmoothThing: m_bRestrictParticles set, decimating particle numbers");
        m_nMaxWorms = CapForAreaRatio(m_dAreaRatio);
    }
    // An empty rectangle (or a 1-pixel one halved) has no cells to draw on and no
    // room for a worm, whose coordinates are scaled by the field height.
    m_nWidth = std::max(m_nWidth, 0);
    m_nHeight = std::max(m_nHeight, 0);
    if (m_nWidth == 0 || m_nHeight == 0)
        m_nMaxWorms = 0;

    Publish();

    // Value-initialised, so both fields start at 0 with the border that stays 0.
    const size_t cells = (static_cast<size_t>(m_nWidth) + 2) * (static_cast<size_t>(m_nHeight) + 2);
    m_pBuffer1 = std::make_unique<uint16_t[]>(cells);
    m_pBuffer2 = std::make_unique<uint16_t[]>(cells);
    Trace(TraceInfo, "SmoothThing: Created buffers, m_pBuffer1 = 0x%X, m_pBuffer2 = 0x%X",
          AddressForTrace(m_pBuffer1.get()), AddressForTrace(m_pBuffer2.get()));

    m_apWorms.assign(static_cast<size_t>(m_nMaxWorms) + 1, nullptr);
    Trace(TraceInfo, "SmoothThing: Created particle list");
}

SmoothThing::~SmoothThing() {
    Trace(TraceInfo, "SmoothThing: Destroying object");
    Publish();
    for (size_t i = 0; i < m_apWorms.size(); ++i)
        DestroySlot(static_cast<int>(i));
    g_pPublishedEngine = nullptr;
}

void SmoothThing::Publish() {
    g_nFieldWidth = m_nWidth;
    g_nFieldHeight = m_nHeight;
    g_pSettings = m_pSettings;
    if (g_pPublishedEngine == this)
        return;
    if (g_pPublishedEngine)
        std::copy(std::begin(g_anLiveWorms), std::end(g_anLiveWorms),
                  g_pPublishedEngine->m_anLiveWorms);
    std::copy(std::begin(m_anLiveWorms), std::end(m_anLiveWorms), g_anLiveWorms);
    g_pPublishedEngine = this;
}

Preset& SmoothThing::CurrentPreset() const {
    return *m_pSettings->m_pCurrentPreset;
}

void SmoothThing::DestroySlot(int index) {
    delete m_apWorms[index];
    m_apWorms[index] = nullptr;
}

int SmoothThing::ScaleCount(int n) const {
    int scaled = n;
    if (m_bRestrictParticles) {
        const double q = n / m_dAreaRatio + 0.5;
        if (std::isnan(q))
            scaled = 1;
        else if (q >= m_nMaxWorms)
            scaled = m_nMaxWorms; // also keeps an infinite quotient out of the conversion
        else if (q <= -1)
            scaled = 0;
        else
            scaled = static_cast<int>(q);
        if (scaled == 0)
            scaled = 1;
    }
    // A negative count (a damaged preset) would make the population remove worms
    // it lacks.
    return std::max(std::min(scaled, m_nMaxWorms), 0);
}

Worm* SmoothThing::CreateWorm(int type) {
    Publish();
    if (type != WormTypeAny)
        return CreateWormOfType(type);

    const int* states = CurrentPreset().m_anTypeStates;
    if (std::all_of(states, states + WormTypeCount, [](int s) { return s == TypeOff; }))
        return nullptr;
    for (int t = 0; t < WormTypeCount; ++t) {
        if (states[t] == TypeKeepOne && g_anLiveWorms[t] == 0)
            return CreateWormOfType(t);
    }
    const int k = static_cast<int>(std::count(states, states + WormTypeCount, TypeOn));
    if (k == 0)
        return nullptr;
    int r = Rand() % k;
    for (int t = 0; t < WormTypeCount; ++t) {
        if (states[t] == TypeOn && r-- == 0)
            return CreateWormOfType(t);
    }
    return nullptr;
}

void SmoothThing::AddWorm(int type) {
    Publish();
    Worm* worm;
    if (CurrentPreset().Spawn && m_nWorms > 0) {
        worm = CreateWorm(type);
        if (!worm)
            return;
        Worm* parent = m_apWorms[Rand() % m_nWorms];
        int x = 0;
        int y = 0;
        parent->GetPosition(x, y);
        const double heading = parent->GetHeading();
        worm->Place(x, y, heading);
    } else {
        worm = CreateWorm(type);
    }
    if (!worm)
        return;
    // Callers stay below the cap; this only guards the slot array should one ever
    // not.
    if (static_cast<size_t>(m_nWorms) >= m_apWorms.size()) {
        delete worm;
        return;
    }
    m_apWorms[m_nWorms] = worm;
    m_nWorms += 1;
}

SmoothThing::WormStep SmoothThing::StepWorm(Worm* worm, Worm** worms, int count) {
    Publish();
    const int type = worm->m_nType;
    // Only the selectable behaviours have a state; anything else simply runs.
    const bool hasState = type >= 0 && type < WormTypeCount;
    const int state = hasState ? CurrentPreset().m_anTypeStates[type] : TypeOn;
    if (state == TypeOff) {
        worm->OnRemove();
        return WormStep::TypeOff;
    }
    if (state == TypeKeepOne && g_anLiveWorms[type] > 1) {
        worm->OnRemove();
        return WormStep::OneTooMany;
    }
    if (worm->Update(worms, count) && !worm->m_bFinished)
        return WormStep::Keep;
    worm->OnRemove();
    return WormStep::Replace;
}

void SmoothThing::UpdateTargetWorms() {
    m_nTargetWorms = ScaleCount(CurrentPreset().Worms);
}

void SmoothThing::DoFrame(uint8_t* image, int pitch, bool clearAll) {
    Publish();
    if (clearAll) {
        for (int i = 0; i < m_nWorms; ++i)
            DestroySlot(i);
        m_nWorms = 0;
        m_nTargetWorms = 0;
    }

    if (m_bPopulate) {
        // A fresh population replaces whatever is left, so the slots fill from 0
        // without leaks.
        for (int i = 0; i < m_nWorms; ++i)
            DestroySlot(i);
        const Preset& preset = CurrentPreset();
        const int n = ScaleCount(preset.InitialWorms);
        m_nTargetWorms = ScaleCount(preset.Worms);
        m_bPopulate = false;
        int stored = 0;
        for (int k = 0; k < n; ++k) {
            if (Worm* worm = CreateWorm(WormTypeAny))
                m_apWorms[stored++] = worm;
        }
        m_nWorms = stored;
    } else if (m_nTargetWorms > m_nWorms) {
        AddWorm(WormTypeAny);
    } else if (m_nTargetWorms < m_nWorms) {
        DestroySlot(m_nWorms - 1);
        m_nWorms -= 1;
    }

    // The bound is re-read on every pass: removals shorten the list, replacements
    // extend it.
    for (int i = 0; i < m_nWorms; ++i) {
        Worm* worm = m_apWorms[i];
        if (!worm)
            continue;
        // Drawn before it moves, so a worm is shown where the frame found it.
        worm->Draw(m_pBuffer1.get());
        const WormStep result = StepWorm(worm, m_apWorms.data(), m_nWorms);
        if (result == WormStep::Keep)
            continue;
        const int type = worm->m_nType;
        const int last = m_nWorms - 1;
        if (i != last)
            std::swap(m_apWorms[i], m_apWorms[last]);
        DestroySlot(last);
        m_nWorms -= 1;
        if (result == WormStep::Replace)
            AddWorm(type);
    }

    SmoothField(m_pBuffer1.get(), m_pBuffer2.get(), m_nWidth, m_nHeight, image, pitch,
                m_pSettings->FastSmoothing, m_bDoublePixels);
    std::swap(m_pBuffer1, m_pBuffer2);
}
