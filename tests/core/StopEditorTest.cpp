#include "editor/ColorConversion.h"
#include "editor/StopEditorModel.h"
#include "settings/Colormap.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

constexpr int StopY = 15;

class StopEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_editor.m_pColormap = &m_colormap;
        m_editor.Layout(240); // positions 0..255 map to x 6..234
    }
    void AddStops(const std::vector<int>& positions) {
        for (int position : positions)
            m_colormap.AddStop(position, {.red = static_cast<uint8_t>(position)});
    }
    std::vector<int> Positions() const {
        std::vector<int> result;
        for (const ColormapStop& stop : m_colormap.m_aStops)
            result.push_back(stop.position);
        return result;
    }
    Point On(int position) const { return {m_editor.PosToX(position), StopY}; }
    Colormap m_colormap;
    StopEditorModel m_editor;
};

} // namespace

TEST(MulDivRoundTest, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDivRound(114, 255, 228), 128);
    EXPECT_EQ(MulDivRound(-114, 255, 228), -128);
    EXPECT_EQ(MulDivRound(5, 1, -2), -3);
    EXPECT_EQ(MulDivRound(-7, 1, -2), 4);
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(INT_MAX, 2, 1), -1);
    EXPECT_EQ(MulDivRound(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
}

TEST_F(StopEditorTest, PositionsAndPixelsConvertBothWays) {
    EXPECT_EQ(m_editor.PosToX(0), 6);
    EXPECT_EQ(m_editor.PosToX(255), 234);
    EXPECT_EQ(m_editor.XToPos(120), 128);
    EXPECT_EQ(m_editor.XToPos(2), 0);
    EXPECT_EQ(m_editor.XToPos(239), 255);
    AddStops({0});
    EXPECT_EQ(m_editor.StopRect(0), (Rect{1, 11, 11, 21}));
    EXPECT_EQ(m_editor.StopFrame(0), (Rect{0, 10, 12, 22}));
    m_editor.Layout(480, 192);
    EXPECT_EQ(m_editor.PosToX(255), 468);
    EXPECT_EQ(m_editor.StopFrame(0), (Rect{0, 20, 24, 44}));
    EXPECT_EQ(m_editor.GrooveRect(), (Rect{0, 30, 480, 38}));
}

TEST_F(StopEditorTest, DoubleClickAddsOnlyBelowSeventeenStops) {
    std::vector<int> sixteen;
    for (int i = 0; i < 16; ++i)
        sixteen.push_back(i * 17);
    AddStops(sixteen);
    Point gap{13, StopY}; // between the boxes of positions 0 and 17, at position 8
    ColorTriple expected = m_colormap.GetColorAt(8);
    ASSERT_TRUE(m_editor.DoubleClick(gap));
    ASSERT_EQ(m_colormap.m_aStops.size(), 17u);
    EXPECT_EQ(m_editor.m_nSelected, 1);
    EXPECT_EQ(m_colormap.m_aStops[1].position, 8);
    EXPECT_EQ(m_colormap.m_aStops[1].colour, expected);
    EXPECT_FALSE(m_editor.DoubleClick({28, StopY}));
    EXPECT_EQ(m_colormap.m_aStops.size(), 17u);
}

TEST_F(StopEditorTest, DoubleClickRemovesOnlyAboveTwoStops) {
    AddStops({0, 255});
    EXPECT_FALSE(m_editor.DoubleClick(On(0)));
    AddStops({128});
    m_editor.m_nSelected = 0;
    ASSERT_TRUE(m_editor.DoubleClick(On(255)));
    EXPECT_EQ(Positions(), (std::vector<int>{0, 128}));
    EXPECT_EQ(m_editor.m_nSelected, 1); // the last one was deleted: select the new last
}

TEST_F(StopEditorTest, ANewStopPastTheLastBecomesTheLast) {
    AddStops({0, 128});
    ASSERT_TRUE(m_editor.DoubleClick({234, StopY}));
    EXPECT_EQ(Positions(), (std::vector<int>{0, 128, 255}));
    EXPECT_EQ(m_editor.m_nSelected, 2);
    EXPECT_EQ(m_editor.GetSelectedColor(), PackColor({128, 0, 0}));
}

TEST_F(StopEditorTest, OverlappingBoxesPressTheLaterAndDeleteTheEarlier) {
    AddStops({100, 102, 255});
    Point overlap{m_editor.PosToX(101), StopY};
    EXPECT_EQ(m_editor.Press(overlap), 2);
    EXPECT_EQ(m_editor.m_nSelected, 1);
    EXPECT_TRUE(m_editor.m_bDragging);
    EXPECT_TRUE(m_editor.Release());
    ASSERT_TRUE(m_editor.DoubleClick(overlap));
    EXPECT_EQ(Positions(), (std::vector<int>{102, 255}));
    EXPECT_EQ(m_editor.m_nSelected, 1);
}

TEST_F(StopEditorTest, DraggingPastANeighbourReordersAndKeepsTheSelection) {
    AddStops({0, 100, 200, 255});
    Point grab = On(100);
    grab.x += 2;
    ASSERT_EQ(m_editor.Press(grab), 1);
    EXPECT_EQ(m_editor.m_nDragOffset, -2);
    EXPECT_TRUE(m_editor.Move({m_editor.PosToX(220) + 2, 0}));
    EXPECT_EQ(Positions(), (std::vector<int>{0, 200, 220, 255}));
    EXPECT_EQ(m_editor.m_nSelected, 2);
    EXPECT_EQ(m_editor.GetSelectedColor(), PackColor({100, 0, 0}));
    EXPECT_TRUE(m_editor.Release());
    EXPECT_FALSE(m_editor.Release());
    EXPECT_FALSE(m_editor.Move({6, StopY}));
    EXPECT_EQ(m_colormap.m_aStops[2].position, 220);
}

TEST_F(StopEditorTest, MissingStopsAreNeverIndexed) {
    EXPECT_EQ(m_editor.Press({6, StopY}), 0);
    EXPECT_FALSE(m_editor.m_bDragging);
    EXPECT_EQ(m_editor.GetSelectedColor(), 0u);
    AddStops({0, 255});
    m_editor.m_nSelected = 5;
    EXPECT_EQ(m_editor.GetSelectedColor(), 0u);
    m_editor.m_bDragging = true;
    EXPECT_FALSE(m_editor.Move({100, StopY}));
    m_editor.m_pColormap = nullptr;
    EXPECT_EQ(m_editor.Press({6, StopY}), 0);
    EXPECT_FALSE(m_editor.DoubleClick({100, StopY}));
}

TEST_F(StopEditorTest, KeysSelectNudgeRemoveAndInsertTheSelectedStop) {
    AddStops({0, 128, 255});
    m_editor.SelectBeside(-1);
    EXPECT_EQ(m_editor.m_nSelected, 0);
    m_editor.SelectBeside(1);
    EXPECT_EQ(m_editor.m_nSelected, 1);
    EXPECT_TRUE(m_editor.NudgeSelected(-1));
    EXPECT_EQ(Positions(), (std::vector<int>{0, 127, 255}));

    // Half way from stop 0 (x 6) to stop 1 (x 120): x 63, position 64, coloured as shown there.
    m_editor.m_nSelected = 0;
    const ColorTriple shownThere = m_colormap.GetColorAt(64);
    EXPECT_TRUE(m_editor.InsertAfterSelected());
    EXPECT_EQ(Positions(), (std::vector<int>{0, 64, 127, 255}));
    EXPECT_EQ(m_editor.m_nSelected, 1);
    EXPECT_EQ(m_colormap.m_aStops[1].colour, shownThere);
    // Past the last stop the groove's end lies inside its own box: no room.
    m_editor.m_nSelected = 3;
    EXPECT_FALSE(m_editor.InsertAfterSelected());
    EXPECT_FALSE(m_editor.NudgeSelected(1)) << "already at 255";

    EXPECT_TRUE(m_editor.RemoveSelected());
    EXPECT_EQ(m_editor.m_nSelected, 2) << "the last stop removed, the new last selected";
    EXPECT_TRUE(m_editor.RemoveSelected());
    EXPECT_FALSE(m_editor.RemoveSelected());
    EXPECT_EQ(Positions(), (std::vector<int>{0, 64}));

    m_editor.m_nSelected = 5;
    EXPECT_FALSE(m_editor.HasSelection());
    EXPECT_FALSE(m_editor.NudgeSelected(1) || m_editor.RemoveSelected() ||
                 m_editor.InsertAfterSelected());
    m_editor.SelectBeside(1);
    EXPECT_EQ(m_editor.m_nSelected, 5);
}
