#include "engine/SmoothThing.h"
#include "TestSupport.h"
#include "behaviours/HeadingWorm.h"
#include "behaviours/ScaledWorm.h"
#include "behaviours/VelocityWorm.h"
#include "behaviours/Worm.h"
#include "behaviours/WormFactory.h"
#include "behaviours/WormGlobals.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// A worm whose every call is recorded and whose step result the test decides.
class ProbeWorm : public Worm {
public:
    ProbeWorm(int type, std::string name, Events& events, int x = 10, int y = 10,
              double heading = 0)
        : Worm(type), m_name(std::move(name)), m_events(events), m_x(x), m_y(y),
          m_heading(heading) {}
    ~ProbeWorm() override { m_events.push_back(m_name + " delete"); }
    void OnRemove() override { m_events.push_back(m_name + " remove"); }
    bool Update(Worm** worms, int count) override {
        m_events.push_back(m_name + " step");
        m_seenWorms = worms;
        m_seenCount = count;
        return m_keep;
    }
    void GetPosition(int& x, int& y) override {
        x = m_x;
        y = m_y;
    }
    double GetHeading() override { return m_heading; }
    void Place(int x, int y, double heading) override {
        m_x = x;
        m_y = y;
        m_heading = heading;
    }
    void Draw(uint16_t*) override { m_events.push_back(m_name + " draw"); }

    std::string m_name;
    Events& m_events;
    int m_x, m_y;
    double m_heading;
    bool m_keep = true;
    Worm** m_seenWorms = nullptr;
    int m_seenCount = -1;
};

std::array<int, 17> LiveCounts() {
    std::array<int, 17> counts{};
    std::copy(std::begin(g_anLiveWorms), std::end(g_anLiveWorms), counts.begin());
    return counts;
}

size_t CellCount(const SmoothThing& engine) {
    return size_t(engine.m_nWidth + 2) * size_t(engine.m_nHeight + 2);
}

bool AnyCellSet(const uint16_t* buffer, size_t count) {
    return std::any_of(buffer, buffer + count, [](uint16_t c) { return c != 0; });
}

// Slots 0..m_nWorms - 1 are taken, every other one is empty.
void ExpectSlotsPacked(const SmoothThing& engine) {
    for (size_t i = 0; i < engine.m_apWorms.size(); ++i)
        ASSERT_EQ(engine.m_apWorms[i] != nullptr, int(i) < engine.m_nWorms) << "slot " << i;
}

class SmoothThingTest : public testing::Test {
protected:
    void SetUp() override {
        m_baseline = LiveCounts();
        m_settings.DoublePixels = false;
        m_settings.FastSmoothing = false;
        Preset& p = Current();
        for (int& s : p.m_anTypeStates)
            s = TypeOn;
        p.Recycle = p.Spawn = p.StartInCenter = false;
        p.WormSize = 0;
    }
    void TearDown() override { EXPECT_EQ(LiveCounts(), m_baseline); }

    Preset& Current() { return *m_settings.m_pCurrentPreset; }
    void OnlyType(int type, int state = TypeOn) {
        Current().SetAllTypesOff();
        Current().m_anTypeStates[type] = state;
    }
    // An engine that starts with no population and no target, for hand-placed worms.
    std::unique_ptr<SmoothThing> QuietEngine(int w = 100, int h = 100) {
        auto engine = std::make_unique<SmoothThing>(w, h, &m_settings, false, 1.0);
        engine->m_bPopulate = false;
        return engine;
    }

    std::array<int, 17> m_baseline;
    MemoryRegStore m_store;
    Settings m_settings{m_store};
    std::vector<uint8_t> m_image = std::vector<uint8_t>(1024 * 1024);
};

} // namespace

TEST_F(SmoothThingTest, ConstructionPublishesFieldAndTraces) {
    TraceCapture trace;
    m_settings.DoublePixels = true;
    {
        SmoothThing engine(641, 480, &m_settings, true, 2.0);
        EXPECT_EQ(engine.m_nWidth, 320);
        EXPECT_EQ(engine.m_nHeight, 240);
        EXPECT_EQ(g_nFieldWidth, 320);
        EXPECT_EQ(g_nFieldHeight, 240);
        EXPECT_EQ(g_pSettings, &m_settings);
        EXPECT_EQ(engine.m_nMaxWorms, 250);
        EXPECT_EQ(engine.m_apWorms.size(), 251u);
        EXPECT_TRUE(engine.m_bPopulate);
        EXPECT_FALSE(AnyCellSet(engine.m_pBuffer1.get(), CellCount(engine)));
        EXPECT_FALSE(AnyCellSet(engine.m_pBuffer2.get(), CellCount(engine)));
    }
    ASSERT_GE(trace.m_lines.size(), 6u);
    EXPECT_EQ(trace.m_lines[0], "SmoothThing: Object created");
    EXPECT_EQ(trace.m_lines[1], "SmoothThing: m_bDoublePixels set, halving display size");
    EXPECT_EQ(trace.m_lines[2],
              "SmoothThing: m_bRestrictParticles set, decimating particle numbers");
    EXPECT_EQ(trace.m_lines[3].rfind("SmoothThing: Created buffers, m_pBuffer1 = 0x", 0), 0u);
    EXPECT_NE(trace.m_lines[3].find(", m_pBuffer2 = 0x"), std::string::npos);
    EXPECT_EQ(trace.m_lines[4], "SmoothThing: Created particle list");
    EXPECT_EQ(trace.m_lines.back(), "SmoothThing: Destroying object");

    // With DoublePixels the last column of an odd width is never written, nor the row padding.
    OnlyType(WormTypeStraight);
    Current().InitialWorms = 40;
    const int pitch = 644;
    std::vector<uint8_t> image(size_t(pitch) * 481, 0xA5);
    SmoothThing engine(641, 481, &m_settings, false, 1.0);
    for (int frame = 0; frame < 30; ++frame)
        engine.DoFrame(image.data(), pitch, false);
    bool drawn = false;
    for (int y = 0; y < 481; ++y) {
        for (int x = 0; x < pitch; ++x) {
            uint8_t b = image[size_t(y) * pitch + x];
            if (x >= 640 || y >= 480)
                ASSERT_EQ(b, 0xA5) << x << "," << y;
            else
                drawn = drawn || b != 0;
        }
    }
    EXPECT_TRUE(drawn);
}

TEST_F(SmoothThingTest, EmptyFieldsDrawNothing) {
    Current().InitialWorms = 20;
    for (auto [w, h, doubled] : std::vector<std::tuple<int, int, bool>>{
             {1, 1, true}, {0, 0, false}, {0, 10, false}, {10, 0, false}, {-5, 7, false}}) {
        m_settings.DoublePixels = doubled;
        SmoothThing engine(w, h, &m_settings, false, 1.0);
        EXPECT_GE(engine.m_nWidth, 0);
        EXPECT_GE(engine.m_nHeight, 0);
        EXPECT_EQ(engine.m_nWidth * engine.m_nHeight, 0);
        std::vector<uint8_t> image(64, 0xA5);
        for (int frame = 0; frame < 5; ++frame)
            engine.DoFrame(image.data(), 8, false);
        EXPECT_EQ(engine.m_nWorms, 0);
        EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](uint8_t b) { return b == 0xA5; }));
    }
}

TEST_F(SmoothThingTest, RestrictedCapAndScaledCounts) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double ratio;
        int cap;
    };
    for (Case c : {Case{1000, 0}, Case{12.5, 40}, Case{1, 500}, Case{0.5, 500}, Case{0, 500},
                   Case{-2, 0}, Case{nan, 0}, Case{inf, 0}, Case{-inf, 0}}) {
        SmoothThing engine(100, 100, &m_settings, true, c.ratio);
        EXPECT_EQ(engine.m_nMaxWorms, c.cap) << c.ratio;
        for (int n : {0, 1, 50, 499, 1000, -3})
            EXPECT_TRUE(engine.ScaleCount(n) >= 0 && engine.ScaleCount(n) <= c.cap)
                << c.ratio << " " << n;
    }

    SmoothThing tiny(100, 100, &m_settings, true, 1000);
    Current().InitialWorms = 10;
    for (int frame = 0; frame < 5; ++frame)
        tiny.DoFrame(m_image.data(), 100, false);
    EXPECT_EQ(tiny.m_nWorms, 0);
    EXPECT_EQ(tiny.m_nTargetWorms, 0);

    SmoothThing preview(100, 100, &m_settings, true, 12.5);
    EXPECT_EQ(preview.ScaleCount(50), 4);   // 4.5 truncated
    EXPECT_EQ(preview.ScaleCount(0), 1);    // never asks for none
    EXPECT_EQ(preview.ScaleCount(6), 1);    // 0.98
    EXPECT_EQ(preview.ScaleCount(500), 40); // the cap
    Current().Worms = 50;
    Current().InitialWorms = 0;
    preview.DoFrame(m_image.data(), 100, false);
    EXPECT_EQ(preview.m_nWorms, 1);
    EXPECT_EQ(preview.m_nTargetWorms, 4);

    SmoothThing full(100, 100, &m_settings, false, 12.5);
    EXPECT_EQ(full.ScaleCount(50), 50);
    EXPECT_EQ(full.ScaleCount(0), 0);
    EXPECT_EQ(full.ScaleCount(501), 500);
    EXPECT_EQ(full.ScaleCount(-4), 0);
}

TEST_F(SmoothThingTest, PopulationMovesOneWormPerFrame) {
    OnlyType(WormTypeStraight);
    Current().InitialWorms = 3;
    Current().Worms = 6;
    SmoothThing engine(200, 150, &m_settings, false, 1.0);
    const std::vector<int> grow = {3, 4, 5, 6, 6};
    for (int expected : grow) {
        engine.DoFrame(m_image.data(), 200, false);
        EXPECT_EQ(engine.m_nWorms, expected);
        EXPECT_EQ(engine.m_nTargetWorms, 6);
        ExpectSlotsPacked(engine);
    }
    Current().Worms = 4;
    engine.UpdateTargetWorms();
    EXPECT_EQ(engine.m_nTargetWorms, 4);
    for (int expected : {5, 4, 4}) {
        engine.DoFrame(m_image.data(), 200, false);
        EXPECT_EQ(engine.m_nWorms, expected);
    }
    EXPECT_EQ(g_anLiveWorms[WormTypeStraight] - m_baseline[WormTypeStraight], 4);

    engine.DoFrame(m_image.data(), 200, true);
    EXPECT_EQ(engine.m_nWorms, 0);
    EXPECT_EQ(engine.m_nTargetWorms, 0);
    ExpectSlotsPacked(engine);
    engine.DoFrame(m_image.data(), 200, false);
    EXPECT_EQ(engine.m_nWorms, 0);

    engine.m_bPopulate = true;
    engine.DoFrame(m_image.data(), 200, false);
    EXPECT_EQ(engine.m_nWorms, 3);
    EXPECT_EQ(engine.m_nTargetWorms, 4);
    EXPECT_FALSE(engine.m_bPopulate);
}

TEST_F(SmoothThingTest, AllTypesOffLeavesAFieldThatFadesToZero) {
    Current().SetAllTypesOff();
    Current().InitialWorms = 10;
    SmoothThing engine(60, 40, &m_settings, false, 1.0);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            engine.m_pBuffer1[size_t(y + 1) * 62 + size_t(x + 1)] = 255;
    engine.DoFrame(m_image.data(), 60, false);
    EXPECT_TRUE(
        std::any_of(m_image.begin(), m_image.begin() + 60 * 40, [](uint8_t b) { return b != 0; }));
    for (int frame = 0; frame < 300; ++frame)
        engine.DoFrame(m_image.data(), 60, false);
    EXPECT_EQ(engine.m_nWorms, 0);
    EXPECT_FALSE(AnyCellSet(engine.m_pBuffer1.get(), CellCount(engine)));
    EXPECT_TRUE(
        std::all_of(m_image.begin(), m_image.begin() + 60 * 40, [](uint8_t b) { return b == 0; }));
}

TEST_F(SmoothThingTest, KeepOneHoldsExactlyOneOfItsType) {
    OnlyType(WormTypeDodger, TypeKeepOne);
    Current().InitialWorms = 5;
    Current().Worms = 10;
    Events events;
    auto engine = std::make_unique<SmoothThing>(200, 150, &m_settings, false, 1.0);
    for (int frame = 0; frame < 20; ++frame) {
        engine->DoFrame(m_image.data(), 200, false);
        ASSERT_EQ(engine->m_nWorms, 1);
    }
    EXPECT_EQ(engine->m_apWorms[0]->m_nType, WormTypeDodger);

    // One too many (here a probe of the same type): the first of the two to step is dropped.
    engine->m_apWorms[1] = new ProbeWorm(WormTypeDodger, "extra", events);
    engine->m_nWorms = 2;
    engine->DoFrame(m_image.data(), 200, false);
    EXPECT_EQ(engine->m_nWorms, 1);
    EXPECT_EQ(g_anLiveWorms[WormTypeDodger] - m_baseline[WormTypeDodger], 1);
    engine.reset();

    // Beside types that are on, the missing KeepOne type is made first.
    Current().m_anTypeStates[WormTypeDot] = TypeOn;
    Current().InitialWorms = 5;
    SmoothThing mixed(200, 150, &m_settings, false, 1.0);
    mixed.DoFrame(m_image.data(), 200, false);
    EXPECT_EQ(mixed.m_nWorms, 5);
    EXPECT_EQ(g_anLiveWorms[WormTypeDodger] - m_baseline[WormTypeDodger], 1);
    EXPECT_EQ(g_anLiveWorms[WormTypeDot] - m_baseline[WormTypeDot], 4);
}

TEST_F(SmoothThingTest, EnginesTakingTurnsEachKeepTheirOwnOne) {
    // The monitors of a desk: one thread, one engine each, frames in turn.
    OnlyType(WormTypeDodger, TypeKeepOne);
    Current().InitialWorms = 3;
    Current().Worms = 3;
    SmoothThing left(120, 90, &m_settings, false, 1.0);
    SmoothThing right(200, 150, &m_settings, false, 1.0);
    for (int frame = 0; frame < 30; ++frame) {
        left.DoFrame(m_image.data(), 120, false);
        right.DoFrame(m_image.data(), 200, false);
        ASSERT_EQ(left.m_nWorms, 1) << frame;
        ASSERT_EQ(right.m_nWorms, 1) << frame;
    }
    // The behaviours read the field of the engine whose frame runs.
    EXPECT_EQ(g_nFieldWidth, 200);
    left.DoFrame(m_image.data(), 120, false);
    EXPECT_EQ(g_nFieldWidth, 120);
    EXPECT_EQ(g_anLiveWorms[WormTypeDodger], 1);
}

TEST_F(SmoothThingTest, CreateWormFollowsTheTypeStates) {
    auto engine = QuietEngine();
    Current().SetAllTypesOff();
    EXPECT_EQ(engine->CreateWorm(WormTypeAny), nullptr);
    EXPECT_EQ(engine->CreateWorm(WormTypeNone), nullptr);

    const std::vector<int> on = {WormTypeDragon, WormTypeOrbiter, WormTypeRaindrop,
                                 WormTypeFirework};
    for (int t : on)
        Current().m_anTypeStates[t] = TypeOn;
    std::vector<bool> seen(on.size(), false);
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SeedRand(seed);
        int r = Rand() % int(on.size());
        SeedRand(seed);
        std::unique_ptr<Worm> worm(engine->CreateWorm(WormTypeAny));
        ASSERT_NE(worm, nullptr);
        EXPECT_EQ(worm->m_nType, on[r]) << seed;
        seen[r] = true;
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));

    // A KeepOne type with none alive comes first and costs no draw of its own.
    Current().m_anTypeStates[WormTypeSeeker] = TypeKeepOne;
    SeedRand(5);
    delete CreateWormOfType(WormTypeSeeker);
    int after = Rand();
    SeedRand(5);
    std::unique_ptr<Worm> keeper(engine->CreateWorm(WormTypeAny));
    ASSERT_NE(keeper, nullptr);
    EXPECT_EQ(keeper->m_nType, WormTypeSeeker);
    EXPECT_EQ(Rand(), after);
    // With one alive the choice is random again.
    std::unique_ptr<Worm> next(engine->CreateWorm(WormTypeAny));
    ASSERT_NE(next, nullptr);
    EXPECT_NE(next->m_nType, WormTypeSeeker);
}

TEST_F(SmoothThingTest, SpawnPlacesTheNewWormOnARandomExistingOne) {
    Current().Spawn = true;
    Events events; // outlives the engine, which deletes the probes
    auto engine = QuietEngine();
    engine->m_apWorms[0] = new ProbeWorm(WormTypeTwisty, "a", events, 10, 20, 15.0);
    engine->m_apWorms[1] = new ProbeWorm(WormTypeTwisty, "b", events, 30, 40, 100.0);
    engine->m_apWorms[2] = new ProbeWorm(WormTypeTwisty, "c", events, 50, 60, 250.0);
    engine->m_nWorms = 3;
    std::vector<bool> parents(3, false);
    for (uint32_t seed = 1; seed <= 12; ++seed) {
        // The parent is drawn after the new worm has made its own draws.
        SeedRand(seed);
        delete CreateWormOfType(WormTypeStraight);
        int j = Rand() % 3;
        SeedRand(seed);
        engine->AddWorm(WormTypeStraight);
        ASSERT_EQ(engine->m_nWorms, 4);
        auto* parent = static_cast<ProbeWorm*>(engine->m_apWorms[j]);
        Worm* child = engine->m_apWorms[3];
        int x = -1, y = -1;
        child->GetPosition(x, y);
        EXPECT_EQ(x, parent->m_x) << seed;
        EXPECT_EQ(y, parent->m_y) << seed;
        EXPECT_DOUBLE_EQ(child->GetHeading(), parent->m_heading);
        parents[j] = true;
        delete child;
        engine->m_apWorms[3] = nullptr;
        engine->m_nWorms = 3;
    }
    EXPECT_TRUE(std::all_of(parents.begin(), parents.end(), [](bool b) { return b; }));

    // Nothing made, nothing drawn.
    SeedRand(9);
    int first = Rand();
    SeedRand(9);
    engine->AddWorm(WormTypeNone);
    EXPECT_EQ(engine->m_nWorms, 3);
    EXPECT_EQ(Rand(), first);
}

TEST_F(SmoothThingTest, StepWormResults) {
    Events events; // outlives the engine, which deletes the probes
    auto engine = QuietEngine();
    auto* probe = new ProbeWorm(WormTypeCurvy, "p", events);
    engine->m_apWorms[0] = probe;
    engine->m_nWorms = 1;
    Worm** slots = engine->m_apWorms.data();

    EXPECT_EQ(engine->StepWorm(probe, slots, 7), SmoothThing::WormStep::Keep);
    EXPECT_EQ(probe->m_seenWorms, slots);
    EXPECT_EQ(probe->m_seenCount, 7);
    EXPECT_EQ(events, (Events{"p step"}));

    events.clear();
    Current().m_anTypeStates[WormTypeCurvy] = TypeOff;
    EXPECT_EQ(engine->StepWorm(probe, slots, 1), SmoothThing::WormStep::TypeOff);
    EXPECT_EQ(events, (Events{"p remove"}));

    events.clear();
    Current().m_anTypeStates[WormTypeCurvy] = TypeKeepOne;
    EXPECT_EQ(engine->StepWorm(probe, slots, 1), SmoothThing::WormStep::Keep); // the only one
    {
        ProbeWorm twin(WormTypeCurvy, "twin", events);
        EXPECT_EQ(engine->StepWorm(probe, slots, 1), SmoothThing::WormStep::OneTooMany);
    }
    EXPECT_EQ(events, (Events{"p step", "p remove", "twin delete"}));

    events.clear();
    Current().m_anTypeStates[WormTypeCurvy] = TypeOn;
    probe->m_keep = false;
    EXPECT_EQ(engine->StepWorm(probe, slots, 1), SmoothThing::WormStep::Replace);
    probe->m_keep = true;
    probe->m_bFinished = true;
    EXPECT_EQ(engine->StepWorm(probe, slots, 1), SmoothThing::WormStep::Replace);
    EXPECT_EQ(events, (Events{"p step", "p remove", "p step", "p remove"}));
}

TEST_F(SmoothThingTest, ReplacementOfAnEarlierSlotRunsInTheSameFrame) {
    Current().StartInCenter = true;
    Events events; // outlives the engine, which deletes the probes
    auto engine = QuietEngine();
    engine->m_nTargetWorms = 3;
    auto* a = new ProbeWorm(WormTypeWormy, "a", events);
    auto* b = new ProbeWorm(WormTypeTwisty, "b", events);
    auto* c = new ProbeWorm(WormTypeDragon, "c", events);
    a->m_keep = false;
    engine->m_apWorms[0] = a;
    engine->m_apWorms[1] = b;
    engine->m_apWorms[2] = c;
    engine->m_nWorms = 3;

    engine->DoFrame(m_image.data(), 100, false);
    EXPECT_EQ(events, (Events{"a draw", "a step", "a remove", "a delete", "b draw", "b step"}));
    ASSERT_EQ(engine->m_nWorms, 3);
    EXPECT_EQ(engine->m_apWorms[0], c);
    EXPECT_EQ(engine->m_apWorms[1], b);
    EXPECT_EQ(engine->m_apWorms[2]->m_nType, WormTypeWormy);
    EXPECT_EQ(dynamic_cast<ProbeWorm*>(engine->m_apWorms[2]), nullptr);
    // The replacement's stamp is in the field this frame was drawn into.
    EXPECT_TRUE(AnyCellSet(engine->m_pBuffer2.get(), CellCount(*engine)));

    events.clear();
    engine->DoFrame(m_image.data(), 100, false);
    EXPECT_EQ(events, (Events{"c draw", "c step", "b draw", "b step"}));
}

TEST_F(SmoothThingTest, ReplacementOfTheLastSlotWaitsForTheNextFrame) {
    Current().StartInCenter = true;
    Events events; // outlives the engine, which deletes the probes
    auto engine = QuietEngine();
    engine->m_nTargetWorms = 3;
    auto* a = new ProbeWorm(WormTypeWormy, "a", events);
    auto* b = new ProbeWorm(WormTypeTwisty, "b", events);
    auto* c = new ProbeWorm(WormTypeDragon, "c", events);
    a->m_keep = false;
    engine->m_apWorms[0] = b;
    engine->m_apWorms[1] = c;
    engine->m_apWorms[2] = a;
    engine->m_nWorms = 3;

    engine->DoFrame(m_image.data(), 100, false);
    EXPECT_EQ(events, (Events{"b draw", "b step", "c draw", "c step", "a draw", "a step",
                              "a remove", "a delete"}));
    ASSERT_EQ(engine->m_nWorms, 3);
    EXPECT_EQ(engine->m_apWorms[0], b);
    EXPECT_EQ(engine->m_apWorms[1], c);
    EXPECT_EQ(engine->m_apWorms[2]->m_nType, WormTypeWormy);
    EXPECT_FALSE(AnyCellSet(engine->m_pBuffer2.get(), CellCount(*engine)));

    engine->DoFrame(m_image.data(), 100, false);
    EXPECT_TRUE(AnyCellSet(engine->m_pBuffer2.get(), CellCount(*engine)));
}

TEST_F(SmoothThingTest, DestroyingTheEngineReleasesEveryWorm) {
    Current().InitialWorms = 150;
    Current().Worms = 200;
    Current().Recycle = true;
    auto engine = std::make_unique<SmoothThing>(160, 120, &m_settings, false, 1.0);
    for (int frame = 0; frame < 60; ++frame)
        engine->DoFrame(m_image.data(), 160, false);
    auto during = LiveCounts();
    int alive = 0;
    for (int t = 0; t < 17; ++t)
        alive += during[t] - m_baseline[t];
    EXPECT_GE(alive, engine->m_nWorms);
    EXPECT_GE(engine->m_nWorms, 150);
    engine.reset();
    EXPECT_EQ(LiveCounts(), m_baseline);
}

namespace {

// Every worm's position and motion are finite and every field cell is a palette index.
void CheckEngine(const SmoothThing& engine) {
    ExpectSlotsPacked(engine);
    for (int i = 0; i < engine.m_nWorms; ++i) {
        Worm* worm = engine.m_apWorms[i];
        ASSERT_TRUE(std::isfinite(worm->GetHeading())) << "type " << worm->m_nType;
        if (auto* s = dynamic_cast<ScaledWorm*>(worm)) {
            ASSERT_TRUE(std::isfinite(s->m_dX) && std::isfinite(s->m_dY))
                << "type " << worm->m_nType;
        }
        if (auto* h = dynamic_cast<HeadingWorm*>(worm)) {
            ASSERT_TRUE(std::isfinite(h->m_dHeading)) << "type " << worm->m_nType;
        }
        if (auto* v = dynamic_cast<VelocityWorm*>(worm)) {
            ASSERT_TRUE(std::isfinite(v->m_dVX) && std::isfinite(v->m_dVY))
                << "type " << worm->m_nType;
        }
    }
    const int w = engine.m_nWidth, h = engine.m_nHeight;
    const uint16_t* field = engine.m_pBuffer1.get();
    for (int y = 0; y < h + 2; ++y) {
        for (int x = 0; x < w + 2; ++x) {
            uint16_t c = field[size_t(y) * size_t(w + 2) + size_t(x)];
            bool border = x == 0 || y == 0 || x == w + 1 || y == h + 1;
            ASSERT_LE(c, border ? 0 : 255) << x << "," << y;
        }
    }
}

struct SoakRun {
    int width, height, frames;
};

} // namespace

TEST_F(SmoothThingTest, SoakEveryPresetAndBehaviour) {
    std::vector<uint8_t> image(size_t(1920) * 1080, 0);
    int run = 0;
    auto soak = [&](Settings& settings, const SoakRun& r) {
        settings.DoublePixels = run % 3 == 1;
        settings.FastSmoothing = run % 2 == 1;
        SCOPED_TRACE(testing::Message() << "run " << run << " " << r.width << "x" << r.height
                                        << " preset " << settings.m_pCurrentPreset->Name);
        SmoothThing engine(r.width, r.height, &settings, false, 1.0);
        SeedRand(1000u + uint32_t(run));
        ++run;
        for (int frame = 0; frame < r.frames; ++frame) {
            engine.DoFrame(image.data(), r.width, false);
            CheckEngine(engine);
            if (testing::Test::HasFatalFailure())
                return;
        }
    };

    const std::vector<SoakRun> presetRuns = {{1, 1, 30},      {2, 3, 30},     {51, 37, 200},
                                             {160, 120, 600}, {640, 480, 40}, {1920, 1080, 3}};
    MemoryRegStore factoryStore;
    Settings factory(factoryStore);
    ASSERT_EQ(factory.m_apPresets.size(), 8u);
    for (int index = 0; index < static_cast<int>(factory.m_apPresets.size()); ++index) {
        factory.SelectPreset(index);
        for (const SoakRun& r : presetRuns)
            soak(factory, r);
    }

    // Each behaviour on its own under every combination of the three rules.
    Current().Worms = 60;
    Current().InitialWorms = 20;
    const std::vector<SoakRun> sizes = {{1, 1, 20}, {3, 3, 20}, {64, 48, 100}, {200, 90, 150}};
    for (int type = 0; type < WormTypeCount; ++type) {
        OnlyType(type);
        for (int rules = 0; rules < 8; ++rules) {
            Current().Recycle = rules & 1;
            Current().Spawn = rules & 2;
            Current().StartInCenter = rules & 4;
            Current().WormSize = rules % 4;
            soak(m_settings, sizes[size_t(rules) % sizes.size()]);
        }
    }
    OnlyType(WormTypeMissile);
    soak(m_settings, {1920, 1080, 2});
}

TEST_F(SmoothThingTest, SameSeedGivesIdenticalFrames) {
    Current().InitialWorms = 40;
    Current().Worms = 120;
    Current().Spawn = true;
    Current().Recycle = true;
    auto render = [&](uint32_t seed, bool fast) {
        m_settings.FastSmoothing = fast;
        SmoothThing engine(240, 160, &m_settings, false, 1.0);
        SeedRand(seed);
        std::vector<uint8_t> frames;
        std::vector<uint8_t> image(240 * 160);
        for (int frame = 0; frame < 150; ++frame) {
            engine.DoFrame(image.data(), 240, false);
            if (frame % 10 == 9)
                frames.insert(frames.end(), image.begin(), image.end());
        }
        return frames;
    };
    for (bool fast : {false, true}) {
        auto first = render(77, fast);
        auto second = render(77, fast);
        EXPECT_TRUE(first == second) << "fast " << fast;
        EXPECT_TRUE(std::any_of(first.begin(), first.end(), [](uint8_t b) { return b != 0; }));
        EXPECT_FALSE(first == render(78, fast)) << "fast " << fast;
    }
}
