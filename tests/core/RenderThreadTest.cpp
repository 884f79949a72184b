#include "engine/RenderThread.h"
#include "CountingTarget.h"
#include "FakeClock.h"
#include "TestSupport.h"
#include "engine/FrameTarget.h"
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

// A render thread driven tick by tick from the test, never started.
class FrameCycleTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRand(99);
        m_render.m_bCycle = true;
        m_render.m_pTarget = &m_target;
        m_render.m_pImage = m_image.data();
        m_render.m_nPitch = 64;
        m_render.m_nWidth = 64;
        m_render.m_nHeight = 48;
        m_render.m_nLeft = 3;
        m_render.m_nTop = 5;
        m_render.m_pSmoothThing = std::make_unique<SmoothThing>(64, 48, &m_settings, false, 1.0);
    }
    void Tick() {
        std::lock_guard lock(m_render.m_Lock);
        m_render.Tick();
    }
    int Worms() const { return m_render.m_pSmoothThing->m_nWorms; }
    // Ticks until the fade starts; returns the number of ticks.
    int RunUntilFading(uint32_t step, int limit = 100000) {
        int ticks = 0;
        while (!m_render.m_bFading && ticks < limit) {
            Tick();
            ++ticks;
            if (!m_render.m_bFading)
                m_clock.Advance(step);
        }
        return ticks;
    }

    FakeClock m_clock{50000};
    MemoryRegStore m_store;
    Settings m_settings{m_store};
    RenderThread m_render{&m_settings, nullptr};
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
    for (int run = 0; run < 20; ++run) {
        m_render.m_bFading = false;
        m_render.m_dwNextSwitch = 0;
        uint32_t armedAt = m_clock.TickCount();
        Tick();
        uint32_t wait = m_render.m_dwNextSwitch - armedAt;
        EXPECT_GE(wait, 70000u);
        EXPECT_LE(wait, 129999u);
        m_clock.Set(m_render.m_dwNextSwitch);
        Tick();
        EXPECT_FALSE(m_render.m_bFading) << "fires only once now is past the switch time";
        m_clock.Advance(1);
        Tick();
        EXPECT_TRUE(m_render.m_bFading);
        m_clock.Advance(100000 + run * 7919);
    }
}

TEST_F(FrameCycleTest, FadeRunsTransitionFramesPlusOneTicksAndRepopulates) {
    m_settings.Delay = 10;
    m_settings.DelayRange = 0;
    m_settings.TransitionFrames = 8;
    m_settings.CurrentPreset = 1;
    m_settings.m_pCurrentPreset = m_settings.GetPreset(1);
    for (int i = 0; i < 5; ++i)
        Tick();
    ASSERT_GT(Worms(), 0);
    EXPECT_TRUE(m_target.m_loads.empty());

    m_clock.Advance(10001);
    Tick(); // the timer fires: old palette kept, particles cleared already
    ASSERT_TRUE(m_render.m_bFading);
    EXPECT_EQ(m_render.m_nNextPreset, 2);
    EXPECT_TRUE(m_target.m_loads.empty());
    EXPECT_EQ(Worms(), 0);

    for (int k = 0; k <= 8; ++k) {
        Tick();
        EXPECT_EQ(m_target.m_loads.size(), static_cast<size_t>(k + 1));
        if (k < 8) {
            EXPECT_EQ(Worms(), 0) << k;
        }
    }
    EXPECT_FALSE(m_render.m_bFading);
    EXPECT_EQ(m_target.m_loads.front(), Expand(*m_settings.GetColormap(11))); // Ice Flower
    EXPECT_EQ(m_target.m_loads.back(), Expand(*m_settings.GetColormap(1)));   // Planetary
    EXPECT_GT(Worms(), 0) << "the new population appears with the complete palette";
    EXPECT_EQ(m_settings.CurrentPreset, 2);
    EXPECT_EQ(m_settings.m_pCurrentPreset, m_settings.GetPreset(2));
    EXPECT_EQ(m_render.m_dwNextSwitch, 0u);

    // Delay counts from the end of the fade.
    uint32_t fadeEnd = m_clock.TickCount();
    m_clock.Advance(3);
    Tick();
    EXPECT_EQ(m_render.m_dwNextSwitch, fadeEnd + 3 + 10000);
    EXPECT_EQ(m_target.m_presents.back(), (Rect{3, 5, 67, 53}));
}

TEST_F(FrameCycleTest, FadeChannelsUseTruncatingSignedArithmetic) {
    m_settings.TransitionFrames = 64;
    m_render.m_bFading = true;
    m_render.m_aFromPalette[0] = {0, 255, 10, 0};
    m_render.m_aToPalette[0] = {255, 0, 10, 0};
    for (int k : {1, 32, 64}) {
        m_render.m_nFadeFrame = k;
        m_render.m_bFading = true;
        Tick();
        const PaletteEntry& entry = m_target.m_loads.back()[0];
        int rising = k == 1 ? 3 : k == 32 ? 127 : 255;
        int falling = k == 1 ? 252 : k == 32 ? 128 : 0;
        EXPECT_EQ(entry.blue, rising) << k;
        EXPECT_EQ(entry.green, falling) << k;
        EXPECT_EQ(entry.red, 10);
        EXPECT_EQ(entry.reserved, 0);
    }
}

TEST_F(FrameCycleTest, ZeroOrNegativeTransitionFramesSwitchInOneTick) {
    for (int frames : {0, -3}) {
        m_settings.TransitionFrames = frames;
        m_render.m_dwNextSwitch = 0;
        RunUntilFading(200000);
        size_t before = m_target.m_loads.size();
        int next = m_render.m_nNextPreset;
        Tick();
        EXPECT_FALSE(m_render.m_bFading);
        ASSERT_EQ(m_target.m_loads.size(), before + 1);
        EXPECT_EQ(m_target.m_loads.back(),
                  Expand(*m_settings.GetColormap(m_settings.GetPreset(next)->Colormap)));
        EXPECT_EQ(m_settings.CurrentPreset, next);
    }
}

TEST_F(FrameCycleTest, InOrderCyclingWrapsAndRandomNeverRepeats) {
    m_settings.TransitionFrames = 1;
    m_settings.CurrentPreset = 7;
    m_settings.m_pCurrentPreset = m_settings.GetPreset(7);
    RunUntilFading(200000);
    EXPECT_EQ(m_render.m_nNextPreset, 0);

    m_settings.CycleType = 0;
    std::vector<int> seen(8);
    for (int i = 0; i < 200; ++i) {
        Tick();
        Tick(); // fade done
        ASSERT_FALSE(m_render.m_bFading);
        int current = m_settings.CurrentPreset;
        RunUntilFading(200000);
        ASSERT_NE(m_render.m_nNextPreset, current);
        ++seen[m_render.m_nNextPreset];
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
    EXPECT_EQ(m_render.m_nNextPreset, 0);
}

TEST_F(FrameCycleTest, TimerSurvivesTheTickCountWrapping) {
    m_settings.Delay = 100;
    m_settings.DelayRange = 0;
    m_clock.Set(0xFFFF0000u);
    Tick();
    EXPECT_EQ(m_render.m_dwNextSwitch, 0xFFFF0000u + 100000u); // wrapped past zero
    m_clock.Set(0xFFFFFFF0u);
    Tick();
    EXPECT_FALSE(m_render.m_bFading);
    m_clock.Set(0xFFFF0000u + 99999u);
    Tick();
    EXPECT_FALSE(m_render.m_bFading);
    m_clock.Set(0xFFFF0000u + 100001u);
    Tick();
    EXPECT_TRUE(m_render.m_bFading);
}

TEST_F(FrameCycleTest, CyclingOffNeverTouchesThePalette) {
    m_render.m_bCycle = false;
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
    EXPECT_EQ(render.m_pSmoothThing, nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(target.m_presents, presents);
}
