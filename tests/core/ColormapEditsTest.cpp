#include "editor/ColormapEdits.h"
#include "editor/RampRow.h"
#include "settings/Colormap.h"
#include "settings/RegTree.h"
#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Text(const Colormap& colormap) {
    std::string text;
    colormap.GetText(text);
    return text;
}

} // namespace

TEST(ColormapEditsTest, NewColormapRunsFromBlackToWhite) {
    EXPECT_EQ(Text(*MakeNewColormap()), "New colormap:00000000:FFFFFFFF:");
}

TEST(ColormapEditsTest, DuplicateIsAnIndependentCopy) {
    Colormap source;
    ASSERT_TRUE(source.Read("Fire:00000000:55FF0000:FFFFFFFF:"));
    auto copy = DuplicateColormap(source);
    EXPECT_EQ(Text(*copy), Text(source));
    copy->SetStopColor(1, 0x00FF00);
    copy->m_strName = "Other";
    EXPECT_EQ(Text(source), "Fire:00000000:55FF0000:FFFFFFFF:");
}

TEST(ColormapEditsTest, NamesMustBeNonEmptyWithoutColons) {
    EXPECT_STREQ(ColormapNameProblem(""), "Type a name");
    EXPECT_STREQ(ColormapNameProblem("Sea:side"), "No \":\" in a name");
    EXPECT_STREQ(ColormapNameProblem(":"), "No \":\" in a name");
    EXPECT_EQ(ColormapNameProblem("Sea side"), nullptr);
}

TEST(ColormapEditsTest, TheLastColormapCannotBeDeleted) {
    MemoryRegStore store;
    Settings settings(store);
    ASSERT_GT(settings.m_apColormaps.size(), 1u);
    EXPECT_TRUE(CanDeleteColormap(settings));
    settings.m_apColormaps.resize(1);
    EXPECT_FALSE(CanDeleteColormap(settings));
}

TEST(RampRowTest, ColumnsStepThroughThePaletteBelowItsLastEntry) {
    std::vector<uint8_t> row(256, 0xEE);
    FillRampRow(row.data(), 256);
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[1], 0);
    EXPECT_EQ(row[2], 1);
    EXPECT_EQ(row[128], 127);
    EXPECT_EQ(row[255], 254);
    std::vector<uint8_t> narrow(4, 0xEE);
    FillRampRow(narrow.data(), 3);
    EXPECT_EQ(narrow, (std::vector<uint8_t>{0, 85, 170, 0xEE}));
}
