#include "engine/RenderThread.h"
#include "CountingTarget.h"
#include "FakeClock.h"
#include "TestSupport.h"
#include "engine/FrameTarget.h"
#include "engine/RenderStart.h"
#include "engine/SmoothThing.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Table = std::array<PaletteEntry, 256>;

class RecordingTarget final : public FrameTarget {
public:
    void LoadPalette(const PaletteEntry palette[256]) override {
        Table table;
        std::copy(palette, palette + 256, table.begin());
        m_loads.push_back(table);
    }
    void Present(int left, int top, int width, int height) override {
        m_presents.push_back(Rect{left, top, left + width, top + height});
    }
    std::vector<Table> m_loads;
    std::vector<Rect> m_presents;
};

Table Expand(const Colormap& colormap) {
    Table table;
    colormap.FillColorTable(table.data());
    return table;
}

Table Blend(const Table& from, const Table& to, int k, int frames) {
    Table table;
    BlendPalettes(from.data(), to.data(), k, frames, table.data());
    return table;
}

// A render thread that is set up like BeginRender does but never started, so the test ticks it.
class HandDrivenRender final : public RenderThread {
public:
    using RenderThread::PrepareRender;
    using RenderThread::RenderThread;
};

class FrameCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRand(99);
        Prepare(true);
    }
    void Prepare(bool cycle) {
        m_render.PrepareRender(&m_target, Rect{3, 5, 67, 53}, m_image.data(), 64, false, cycle);
    }
    void Tick() {
        auto lock = m_render.Lock();
        m_render.Tick();
    }
    int Worms() const { return m_render.Engine()->m_nWorms; }
    Table PresetTable(int index) const {
        return Expand(*m_settings.GetColormap(m_settings.GetPreset(index)->Colormap));
    }
    // Ticks until the fade starts; returns the number of ticks.
    int RunUntilFading(uint32_t step, int limit = 100000) {
        int ticks = 0;
        while (!m_render.Fading() && ticks < limit) {
            Tick();
            ++ticks;
            if (!m_render.Fading())
                m_clock.Advance(step);
        }
        return ticks;
    }
    // Ticks until the fade is over; returns the number of ticks.
    int RunUntilFadeEnds(int limit = 1000) {
        int ticks = 0;
        while (m_render.Fading() && ticks < limit) {
            Tick();
            ++ticks;
        }
        return ticks;
    }

    FakeClock m_clock{50000};
    MemoryRegStore m_store;
    Settings m_settings{m_store};
    HandDrivenRender m_render{&m_settings, nullptr};
    RecordingTarget m_target;
    std::vector<uint8_t> m_image = std::vector<uint8_t>(64 * 48);
};

} // namespace

TEST(ImagePitchTest, RowsArePaddedToFourBytes) {
    EXPECT_EQ(ImagePitch(641), 644);
    EXPECT_EQ(ImagePitch(640), 640);
    EXPECT_EQ(ImagePitch(1), 4);
    EXPECT_EQ(ImagePitch(152), 152);
    EXPECT_EQ(ImagePitch(153), 156);
}

TEST_F(FrameCycleTest, FirstSwitchFallsWithinDelayPlusMinusRange) {
    m_settings.Delay = 100;
    m_settings.DelayRange = 30;
    m_settings.TransitionFrames = 0; // each fade ends at its first tick, leaving the timer unarmed
    for (int run = 0; run < 20; ++run) {
        ASSERT_EQ(m_render.NextSwitch(), 0u);
        uint32_t armedAt = m_clock.TickCount();
        Tick();
        uint32_t wait = m_render.NextSwitch() - armedAt;
        EXPECT_GE(wait, 70000u);
        EXPECT_LE(wait, 129999u);
        m_clock.Set(m_render.NextSwitch());
        Tick();
        EXPECT_FALSE(m_render.Fading()) << "fires only once now is past the switch time";
        m_clock.Advance(1);
        Tick();
        EXPECT_TRUE(m_render.Fading());
        Tick();
        ASSERT_FALSE(m_render.Fading());
        m_clock.Advance(100000 + run * 7919);
    }
}

TEST_F(FrameCycleTest, DelayAndSpreadAtTheCapArmTheSwitchAheadWithoutWrapping) {
    const int cap = RenderThread::MaxDelaySeconds;
    m_settings.TransitionFrames = 0; // each fade ends at its first tick, leaving the timer unarmed
    m_clock.Set(0xFFFF0000u);        // the tick count wraps during the wait as well
    struct Timing {
        int delay, range;
    };
    for (Timing timing : {Timing{cap, cap}, Timing{cap, 0}, Timing{cap, cap / 2}}) {
        m_settings.Delay = timing.delay;
        m_settings.DelayRange = timing.range;
        uint32_t earliest = static_cast<uint32_t>(timing.delay - timing.range) * 1000u;
        uint32_t latest = static_cast<uint32_t>(timing.delay + timing.range) * 1000u;
        for (int run = 0; run < 10; ++run) {
            ASSERT_EQ(m_render.NextSwitch(), 0u);
            uint32_t armedAt = m_clock.TickCount();
            Tick();
            ASSERT_FALSE(m_render.Fading()) << timing.delay << "/" << timing.range;
            uint32_t ahead = m_render.NextSwitch() - armedAt;
            EXPECT_LT(ahead, 1u << 31) << "a wrapped switch time would fire at once";
            EXPECT_GE(ahead, earliest);
            EXPECT_LE(ahead, latest);
            m_clock.Set(m_render.NextSwitch());
            Tick();
            EXPECT_FALSE(m_render.Fading()) << "due only once the switch time is past";
            m_clock.Advance(1);
            Tick();
            EXPECT_TRUE(m_render.Fading());
            Tick();
            ASSERT_FALSE(m_render.Fading());
        }
    }
}

TEST_F(FrameCycleTest, FadeRunsTransitionFramesPlusOneTicksAndRepopulates) {
    m_settings.Delay = 10;
    m_settings.DelayRange = 0;
    m_settings.TransitionFrames = 8;
    m_settings.SelectPreset(1);
    for (int i = 0; i < 5; ++i)
        Tick();
    ASSERT_GT(Worms(), 0);
    EXPECT_TRUE(m_target.m_loads.empty());

    m_clock.Advance(10001);
    Tick(); // the timer fires: old palette kept, particles cleared already
    ASSERT_TRUE(m_render.Fading());
    EXPECT_EQ(m_render.IncomingPreset(), 2);
    EXPECT_TRUE(m_target.m_loads.empty());
    EXPECT_EQ(Worms(), 0);

    for (int k = 0; k <= 8; ++k) {
        Tick();
        EXPECT_EQ(m_target.m_loads.size(), static_cast<size_t>(k + 1));
        if (k < 8) {
            EXPECT_EQ(Worms(), 0) << k;
        }
    }
    EXPECT_FALSE(m_render.Fading());
    EXPECT_EQ(m_target.m_loads.front(), Expand(*m_settings.GetColormap(11))); // Ice Flower
    EXPECT_EQ(m_target.m_loads.back(), Expand(*m_settings.GetColormap(1)));   // Planetary
    for (int k = 0; k <= 8; ++k)
        EXPECT_EQ(m_target.m_loads[k], Blend(PresetTable(1), PresetTable(2), k, 8)) << k;
    EXPECT_GT(Worms(), 0) << "the new population appears with the complete palette";
    EXPECT_EQ(m_settings.CurrentPreset, 2);
    EXPECT_EQ(m_settings.m_pCurrentPreset, m_settings.GetPreset(2));
    EXPECT_EQ(m_render.NextSwitch(), 0u);

    // Delay counts from the end of the fade.
    uint32_t fadeEnd = m_clock.TickCount();
    m_clock.Advance(3);
    Tick();
    EXPECT_EQ(m_render.NextSwitch(), fadeEnd + 3 + 10000);
    EXPECT_EQ(m_target.m_presents.back(), (Rect{3, 5, 67, 53}));
}

TEST(FadeBlend, ChannelsUseTruncatingSignedArithmetic) {
    Table from{}, to{};
    from[0] = {0, 255, 10, 0};
    to[0] = {255, 0, 10, 0};
    for (int k : {0, 1, 32, 64}) {
        const PaletteEntry entry = Blend(from, to, k, 64)[0];
        int rising = k == 0 ? 0 : k == 1 ? 3 : k == 32 ? 127 : 255;
        int falling = k == 0 ? 255 : k == 1 ? 252 : k == 32 ? 128 : 0;
        EXPECT_EQ(entry.blue, rising) << k;
        EXPECT_EQ(entry.green, falling) << k;
        EXPECT_EQ(entry.red, 10);
        EXPECT_EQ(entry.reserved, 0);
    }
    from[0].reserved = 7;
    EXPECT_EQ(Blend(from, to, 5, 0)[0], to[0]) << "no frames: the incoming palette at once";
    EXPECT_EQ(Blend(from, to, 5, -3)[0], to[0]);
}

TEST_F(FrameCycleTest, ZeroOrNegativeTransitionFramesSwitchInOneTick) {
    for (int frames : {0, -3}) {
        m_settings.TransitionFrames = frames;
        RunUntilFading(200000);
        size_t before = m_target.m_loads.size();
        int next = m_render.IncomingPreset();
        Tick();
        EXPECT_FALSE(m_render.Fading());
        ASSERT_EQ(m_target.m_loads.size(), before + 1);
        EXPECT_EQ(m_target.m_loads.back(),
                  Expand(*m_settings.GetColormap(m_settings.GetPreset(next)->Colormap)));
        EXPECT_EQ(m_settings.CurrentPreset, next);
    }
}

TEST_F(FrameCycleTest, InOrderCyclingWrapsAndRandomNeverRepeats) {
    m_settings.TransitionFrames = 1;
    m_settings.SelectPreset(7);
    RunUntilFading(200000);
    EXPECT_EQ(m_render.IncomingPreset(), 0);

    m_settings.CycleType = 0;
    std::vector<int> seen(8);
    for (int i = 0; i < 200; ++i) {
        Tick();
        Tick(); // fade done
        ASSERT_FALSE(m_render.Fading());
        int current = m_settings.CurrentPreset;
        RunUntilFading(200000);
        ASSERT_NE(m_render.IncomingPreset(), current);
        ++seen[m_render.IncomingPreset()];
    }
    for (int count : seen)
        EXPECT_GT(count, 0);
}

TEST_F(FrameCycleTest, RandomCyclingWithOnePresetFadesToItself) {
    m_settings.CycleType = 0;
    m_settings.TransitionFrames = 2;
    while (m_settings.m_apPresets.size() > 1)
        m_settings.DeletePreset(1);
    RunUntilFading(200000);
    ASSERT_TRUE(m_render.Fading());
    EXPECT_EQ(m_render.IncomingPreset(), 0);
}

TEST_F(FrameCycleTest, TimerSurvivesTheTickCountWrapping) {
    m_settings.Delay = 100;
    m_settings.DelayRange = 0;
    m_clock.Set(0xFFFF0000u);
    Tick();
    EXPECT_EQ(m_render.NextSwitch(), 0xFFFF0000u + 100000u); // wrapped past zero
    m_clock.Set(0xFFFFFFF0u);
    Tick();
    EXPECT_FALSE(m_render.Fading());
    m_clock.Set(0xFFFF0000u + 99999u);
    Tick();
    EXPECT_FALSE(m_render.Fading());
    m_clock.Set(0xFFFF0000u + 100001u);
    Tick();
    EXPECT_TRUE(m_render.Fading());
}

TEST_F(FrameCycleTest, CyclingOffNeverTouchesThePalette) {
    Prepare(false);
    m_settings.Delay = 1;
    m_settings.DelayRange = 0;
    for (int i = 0; i < 50; ++i) {
        Tick();
        m_clock.Advance(5000);
    }
    EXPECT_TRUE(m_target.m_loads.empty());
    EXPECT_EQ(m_target.m_presents.size(), 50u);
    EXPECT_GT(Worms(), 0);
    EXPECT_EQ(m_settings.CurrentPreset, 0);
    EXPECT_EQ(m_render.NextSwitch(), 0u);
}

TEST_F(FrameCycleTest, SwitchWithoutCyclingFadesToThePresetAndArmsNoTimer) {
    Prepare(false);
    m_settings.TransitionFrames = 4;
    m_settings.SelectPreset(1);
    for (int i = 0; i < 3; ++i)
        Tick();
    ASSERT_GT(Worms(), 0);
    m_render.SwitchToPreset(5);
    EXPECT_TRUE(m_render.Fading());
    EXPECT_EQ(m_render.IncomingPreset(), 5);
    Tick();
    EXPECT_EQ(Worms(), 0) << "particles are cleared while the palette fades";
    EXPECT_EQ(RunUntilFadeEnds(), 4);
    ASSERT_EQ(m_target.m_loads.size(), 5u);
    for (int k = 0; k <= 4; ++k)
        EXPECT_EQ(m_target.m_loads[k], Blend(PresetTable(1), PresetTable(5), k, 4)) << k;
    EXPECT_EQ(m_settings.CurrentPreset, 5);
    EXPECT_EQ(m_settings.m_pCurrentPreset, m_settings.GetPreset(5));
    EXPECT_EQ(m_render.IncomingPreset(), 5);
    EXPECT_GT(Worms(), 0);

    for (int i = 0; i < 20; ++i) {
        m_clock.Advance(200000);
        Tick();
    }
    EXPECT_EQ(m_render.NextSwitch(), 0u);
    EXPECT_FALSE(m_render.Fading());
    EXPECT_EQ(m_target.m_loads.size(), 5u);
}

TEST_F(FrameCycleTest, SwitchDuringAFadeStartsFromThePaletteShowing) {
    m_settings.TransitionFrames = 8;
    m_render.SwitchToPreset(2);
    m_render.SwitchToPreset(4); // before any fade tick: still the current preset's palette
    Tick();
    ASSERT_EQ(m_target.m_loads.size(), 1u);
    EXPECT_EQ(m_target.m_loads.back(), PresetTable(0));

    for (int i = 0; i < 3; ++i)
        Tick();
    EXPECT_EQ(m_target.m_loads.back(), Blend(PresetTable(0), PresetTable(4), 3, 8));
    Table showing = m_target.m_loads.back();
    m_render.SwitchToPreset(6);
    EXPECT_EQ(m_render.IncomingPreset(), 6);
    Tick();
    EXPECT_EQ(m_target.m_loads.back(), showing) << "no jump where the new fade begins";
    Tick();
    EXPECT_EQ(m_target.m_loads.back(), Blend(showing, PresetTable(6), 1, 8));
    RunUntilFadeEnds();
    EXPECT_EQ(m_target.m_loads.back(), PresetTable(6));
    EXPECT_EQ(m_settings.CurrentPreset, 6);
}

TEST(RenderThread, BeginRenderClampsTheRangeAndRendersUntilEndRender) {
    MemoryRegStore store;
    Settings settings(store);
    settings.Delay = 20;
    settings.DelayRange = 50;
    settings.CPU = 100;
    CountingTarget target;
    std::vector<uint8_t> image(100 * 80);
    RenderThread render(&settings, nullptr);
    render.ApplyCpu();
    render.BeginRender(&target, Rect{0, 0, 100, 80}, image.data(), 100, false, false);
    EXPECT_EQ(settings.DelayRange, 20);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (target.m_presents < 5 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    render.UpdateTargetWorms();
    render.EndRender();
    int presents = target.m_presents;
    EXPECT_GE(presents, 5);
    {
        auto lock = render.Lock();
        EXPECT_EQ(render.Engine(), nullptr);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(target.m_presents, presents);
}

namespace {

TEST(RenderThread, StartRenderShowsThePresetsPaletteAndPacesOnlyPreviews) {
    MemoryRegStore store;
    Settings settings(store);
    settings.CPU = 100;
    settings.SelectPreset(3);
    RecordingTarget target;
    std::vector<uint8_t> image(ImagePitch(200) * 112);
    RenderThread render(&settings, nullptr);
    render.ApplyCpu();

    // 152 x 112 standing for a 1024 x 768 screen.
    render.StartRender(&target,
                       RenderStart::Preview(Rect{0, 0, 152, 112}, Rect{0, 0, 1024, 768}, false),
                       image.data());
    {
        auto lock = render.Lock();
        ASSERT_NE(render.Engine(), nullptr);
        EXPECT_NEAR(render.Engine()->m_dAreaRatio, 46.195, 0.001);
        EXPECT_EQ(render.Engine()->m_nMaxWorms, 10);
        EXPECT_TRUE(render.RestrictsParticles());
        EXPECT_FALSE(render.Cycling());
    }
    EXPECT_TRUE(render.FullScreenPacing());
    render.EndRender();
    ASSERT_EQ(target.m_loads.size(), 1u) << "the palette is shown once, before the first frame";
    EXPECT_EQ(target.m_loads[0], Expand(*settings.GetColormap(settings.GetPreset(3)->Colormap)));

    settings.FullScreenPacing = false;
    render.StartRender(&target,
                       RenderStart::Preview(Rect{0, 0, 152, 112}, Rect{0, 0, 1024, 768}, false),
                       image.data());
    EXPECT_FALSE(render.FullScreenPacing());
    render.EndRender();

    settings.FullScreenPacing = true;
    render.StartRender(&target, RenderStart::FullScreen(Rect{0, 0, 200, 112}, true), image.data());
    {
        auto lock = render.Lock();
        ASSERT_NE(render.Engine(), nullptr);
        EXPECT_EQ(render.Engine()->m_dAreaRatio, 1.0);
        EXPECT_FALSE(render.RestrictsParticles());
        EXPECT_TRUE(render.Cycling());
    }
    EXPECT_FALSE(render.FullScreenPacing()) << "the full screen is never paced as a preview";
    render.EndRender();
}

} // namespace

namespace {

// A monitor of a desk: its target and its image.
struct DeskView {
    explicit DeskView(Rect rect)
        : rect(rect), image(size_t(ImagePitch(rect.Width())) * rect.Height()) {}
    RenderView View(double refreshHz = 0) {
        return {&target, rect, image.data(), ImagePitch(rect.Width()), refreshHz};
    }
    bool Drawn() const {
        return std::any_of(image.begin(), image.end(), [](uint8_t v) { return v != 0; });
    }
    Rect rect;
    RecordingTarget target;
    std::vector<uint8_t> image;
};

// Waits, taking the render's lock between frames, until the condition holds or 10 s pass.
template <class Condition> bool WaitLocked(RenderThread& render, Condition condition) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        {
            auto lock = render.Lock();
            if (condition())
                return true;
        }
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST(RenderThread, ADeskDrawsEveryViewAtItsSizeAndFadesThemTogether) {
    MemoryRegStore store;
    Settings settings(store);
    settings.CPU = 100;
    settings.TransitionFrames = 6;
    settings.SelectPreset(2);
    // Left of and above the primary, beside it, and a smaller one.
    DeskView views[] = {DeskView(Rect{-48, -36, 0, 0}), DeskView(Rect{0, 0, 64, 48}),
                        DeskView(Rect{64, 8, 104, 38})};
    RenderThread render(&settings, nullptr);
    render.ApplyCpu();
    render.StartRender({views[0].View(), views[1].View(), views[2].View()}, false);
    ASSERT_TRUE(WaitLocked(render, [&] {
        return std::all_of(std::begin(views), std::end(views),
                           [](const DeskView& v) { return v.target.m_presents.size() >= 20; });
    }));
    {
        auto lock = render.Lock();
        ASSERT_EQ(render.ViewCount(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(render.Engine(i)->m_nWidth, views[i].rect.Width()) << i;
            EXPECT_EQ(render.Engine(i)->m_nHeight, views[i].rect.Height()) << i;
        }
        EXPECT_NE(render.Engine(0), render.Engine(1));
        render.SwitchToPreset(5);
    }
    ASSERT_TRUE(WaitLocked(render, [&] { return !render.Fading(); }));
    render.EndRender();

    EXPECT_EQ(settings.CurrentPreset, 5);
    const Table last = Expand(*settings.GetColormap(settings.GetPreset(5)->Colormap));
    for (const DeskView& view : views) {
        EXPECT_TRUE(view.Drawn());
        EXPECT_TRUE(std::all_of(view.target.m_presents.begin(), view.target.m_presents.end(),
                                [&](const Rect& r) { return r == view.rect; }));
        // One palette at the start, then every fade step, on the same ticks as the others.
        EXPECT_EQ(view.target.m_loads.size(), 1u + 7u);
        EXPECT_EQ(view.target.m_loads, views[0].target.m_loads);
        EXPECT_EQ(view.target.m_loads.back(), last);
    }
}

TEST(RenderThread, SetViewsKeepsUnchangedMonitorsAndStartsNewOnes) {
    MemoryRegStore store;
    Settings settings(store);
    settings.CPU = 100;
    DeskView primary(Rect{0, 0, 64, 48});
    DeskView unplugged(Rect{64, 0, 104, 30});
    DeskView plugged(Rect{0, 0, 50, 50});
    RenderThread render(&settings, nullptr);
    render.ApplyCpu();
    render.StartRender({primary.View(), unplugged.View()}, false);
    ASSERT_TRUE(WaitLocked(render, [&] { return unplugged.target.m_presents.size() >= 5; }));

    size_t unpluggedPresents = 0;
    Table showing;
    {
        auto lock = render.Lock();
        const SmoothThing* kept = render.Engine(0);
        unpluggedPresents = unplugged.target.m_presents.size();
        showing = primary.target.m_loads.back();
        // The virtual screen grew to the left: the primary moves in the window, same size.
        primary.rect = Rect{50, 0, 114, 48};
        plugged.rect = Rect{0, 0, 50, 50};
        render.SetViews({primary.View(), plugged.View()});
        ASSERT_EQ(render.ViewCount(), 2u);
        EXPECT_EQ(render.Engine(0), kept) << "an unchanged monitor keeps its worms";
        EXPECT_EQ(render.Engine(1)->m_nWidth, 50);
        EXPECT_EQ(render.Engine(1)->m_nWorms, 0) << "a new monitor starts with a fresh engine";
    }
    ASSERT_TRUE(WaitLocked(render, [&] { return plugged.target.m_presents.size() >= 5; }));
    render.EndRender();
    EXPECT_EQ(unplugged.target.m_presents.size(), unpluggedPresents);
    ASSERT_FALSE(plugged.target.m_loads.empty());
    EXPECT_EQ(plugged.target.m_loads[0], showing);
    EXPECT_EQ(primary.target.m_presents.back(), primary.rect);
    EXPECT_TRUE(plugged.Drawn());

    // A monitor resized in place: same target, new size, new engine.
    render.StartRender({primary.View()}, false);
    {
        auto lock = render.Lock();
        primary.rect = Rect{0, 0, 32, 24};
        render.SetViews({primary.View()});
        EXPECT_EQ(render.Engine(0)->m_nWidth, 32);
        EXPECT_EQ(render.Engine(0)->m_nWorms, 0);
    }
    render.EndRender();
}

// A high-resolution counter in microseconds that the test moves by hand.
class SteppedClock final : public Clock {
public:
    SteppedClock() : m_pPrevious(SetClock(this)) {}
    ~SteppedClock() override { SetClock(m_pPrevious); }
    uint32_t TickCount() override { return uint32_t(m_now / 1000); }
    int64_t HighResCounter() override { return m_now; }
    int64_t HighResFrequency() override { return 1000000; }
    int64_t m_now = 0;

private:
    Clock* m_pPrevious;
};

TEST(RenderThread, EachViewIsDrawnAtMostAsOftenAsItsDisplayRefreshes) {
    SteppedClock clock;
    MemoryRegStore store;
    Settings settings(store);
    DeskView fast(Rect{0, 0, 32, 24}), slow(Rect{32, 0, 64, 24}), unknown(Rect{64, 0, 96, 24});
    HandDrivenRender render(&settings, nullptr);
    render.PrepareRender(&fast.target, fast.rect, fast.image.data(), 32, false, false);
    auto lock = render.Lock();
    // Ticks a 120 Hz period apart, each a little late or early as timers are.
    render.SetViews({fast.View(120), slow.View(50), unknown.View(0)});
    for (int tick = 0; tick < 120; ++tick) {
        clock.m_now = tick * 8333 + (tick % 3 - 1) * 700;
        render.Tick();
    }
    EXPECT_EQ(fast.target.m_presents.size(), 120u);
    // A second of 120 Hz ticks: 50 frames where 50 Hz, 60 where the system does not say.
    EXPECT_EQ(slow.target.m_presents.size(), 50u);
    EXPECT_EQ(unknown.target.m_presents.size(), 60u);

    // One display for all: every tick draws every view.
    render.SetRefreshRate(75);
    for (int tick = 0; tick < 10; ++tick) {
        clock.m_now += 13333;
        render.Tick();
    }
    EXPECT_EQ(fast.target.m_presents.size(), 130u);
    EXPECT_EQ(slow.target.m_presents.size(), 60u);
}

} // namespace
