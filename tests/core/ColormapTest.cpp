#include "settings/Colormap.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

struct Expanded {
    explicit Expanded(const std::string& text) {
        EXPECT_TRUE(colormap.Read(text)) << text;
        colormap.FillColorTable(table);
    }
    Rgb At(int i) const { return {table[i].red, table[i].green, table[i].blue}; }
    Colormap colormap;
    PaletteEntry table[256];
};

ColorTriple Triple(int red, int green, int blue) {
    return {static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red)};
}

} // namespace

TEST(ColormapExpansion, FireRampsThroughItsStops) {
    Expanded fire("Fire:00000000:55FF0000:AAFFFF00:FFFFFFFF:");
    EXPECT_EQ(fire.At(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(fire.At(1), (Rgb{3, 0, 0}));
    EXPECT_EQ(fire.At(42), (Rgb{126, 0, 0}));
    EXPECT_EQ(fire.At(85), (Rgb{255, 0, 0}));
    EXPECT_EQ(fire.At(86), (Rgb{255, 3, 0}));
    EXPECT_EQ(fire.At(128), (Rgb{255, 129, 0}));
    EXPECT_EQ(fire.At(170), (Rgb{255, 255, 0}));
    EXPECT_EQ(fire.At(171), (Rgb{255, 255, 3}));
    EXPECT_EQ(fire.At(254), (Rgb{255, 255, 252}));
    EXPECT_EQ(fire.At(255), (Rgb{255, 255, 255}));
    for (const PaletteEntry& entry : fire.table)
        EXPECT_EQ(entry.reserved, 0);
}

TEST(ColormapExpansion, FallingChannelsTruncateTowardZero) {
    Expanded ice("Ice:00FFFFFF:606464FF:80B4B4FF:A4C8C8FF:FFFFFFFF:");
    EXPECT_EQ(ice.At(0), (Rgb{255, 255, 255}));
    EXPECT_EQ(ice.At(0x60), (Rgb{100, 100, 255}));
    EXPECT_EQ(ice.At(85), (Rgb{118, 118, 255}));
    EXPECT_EQ(ice.At(86), (Rgb{117, 117, 255}));
}

TEST(ColormapExpansion, FirstStopAboveZeroFillsBelowIt) {
    Expanded white("White:00000001:2AFFFFFF:FFFFFFFF:");
    EXPECT_EQ(white.At(0), (Rgb{0, 0, 1}));
    EXPECT_EQ(white.At(1), (Rgb{6, 6, 7}));

    Expanded late("Late:10336699:FFFFFFFF:");
    for (int i = 0; i <= 0x10; ++i)
        EXPECT_EQ(late.At(i), (Rgb{0x33, 0x66, 0x99})) << i;
    EXPECT_EQ(late.At(0x12), (Rgb{0x34, 0x67, 0x99}));
}

TEST(ColormapExpansion, SharedPositionJumpsToTheSecondStop) {
    Expanded twin("Twin:00000000:64FF0000:640000FF:FFFFFFFF:");
    EXPECT_EQ(twin.At(100), (Rgb{255, 0, 0}));
    EXPECT_EQ(twin.At(101), (Rgb{0, 0, 255}));
    EXPECT_EQ(twin.At(102), (Rgb{3, 3, 255}));
}

TEST(ColormapExpansion, FewerThanTwoStopsGiveAFlatPalette) {
    Expanded none("Empty:");
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(none.At(i), (Rgb{0, 0, 0}));
    Expanded one("One:80123456:");
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(one.At(i), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(one.colormap.GetColorAt(200), Triple(0x12, 0x34, 0x56));
}

TEST(ColormapExpansion, GetColorAtAgreesWithTheTable) {
    Expanded magma("Magma:00771C2B:10BE0000:2FFFCB00:56FFFFFF:80DCE8FF:FFF2FAFF:");
    for (int i = 0; i < 256; ++i) {
        ColorTriple c = magma.colormap.GetColorAt(i);
        EXPECT_EQ((Rgb{c.red, c.green, c.blue}), magma.At(i)) << i;
    }
}

TEST(ColormapText, WritesUpperCaseAndRoundTrips) {
    Colormap colormap;
    ASSERT_TRUE(colormap.Read("Fire:00000000:55ff0000:aaFFFF00:FFFFFFFF:"));
    std::string text;
    colormap.GetText(text);
    EXPECT_EQ(text, "Fire:00000000:55FF0000:AAFFFF00:FFFFFFFF:");

    Colormap copy;
    ASSERT_TRUE(copy.Read(text));
    EXPECT_EQ(copy.m_strName, "Fire");
    ASSERT_EQ(copy.m_aStops.size(), 4u);
    EXPECT_EQ(copy.m_aStops[2].position, 0xAA);
    EXPECT_EQ(copy.m_aStops[2].colour, Triple(0xFF, 0xFF, 0x00));
}

TEST(ColormapText, ReaderQuirks) {
    TraceCapture trace;
    Colormap untouched("Keep");
    EXPECT_FALSE(untouched.Read("no colon at all"));
    EXPECT_EQ(untouched.m_strName, "Keep");

    Colormap bare;
    EXPECT_TRUE(bare.Read("Bare:"));
    EXPECT_EQ(bare.m_strName, "Bare");
    EXPECT_TRUE(bare.m_aStops.empty());
    EXPECT_TRUE(trace.Contains("Colormap: Read \"Bare\""));

    Colormap shortToken;
    EXPECT_FALSE(shortToken.Read("X:0FF00:"));

    Colormap longToken;
    ASSERT_TRUE(longToken.Read("X:001122334455:"));
    ASSERT_EQ(longToken.m_aStops.size(), 1u);
    EXPECT_EQ(longToken.m_aStops[0].position, 0);
    EXPECT_EQ(longToken.m_aStops[0].colour, Triple(0x11, 0x22, 0x33));

    Colormap spaced;
    ASSERT_TRUE(spaced.Read("S: 1 2 3 4:"));
    EXPECT_EQ(spaced.m_aStops[0].position, 1);
    EXPECT_EQ(spaced.m_aStops[0].colour, Triple(2, 3, 4));

    Colormap unterminated;
    ASSERT_TRUE(unterminated.Read("Fire:00000000:FFFFFFFF"));
    EXPECT_EQ(unterminated.m_aStops.size(), 1u);

    Colormap unsorted;
    ASSERT_TRUE(unsorted.Read("U:FF000000:00FFFFFF:"));
    EXPECT_EQ(unsorted.m_aStops[0].position, 255);

    // A name with a colon cannot survive its own text form.
    Colormap colon("A:B");
    colon.AddStop(0, Triple(0, 0, 0));
    std::string text;
    colon.GetText(text);
    Colormap reread;
    EXPECT_FALSE(reread.Read(text));
}

TEST(ColormapText, WriterKeepsOnlyThePositionsLowByte) {
    Colormap colormap("Wide");
    colormap.AddStop(0x1AB, Triple(1, 2, 3));
    std::string text;
    colormap.GetText(text);
    EXPECT_EQ(text, "Wide:AB010203:");
}

TEST(ColormapStops, AddStopKeepsOrderAndGoesAfterEqualPositions) {
    Colormap colormap("Stops");
    EXPECT_EQ(colormap.AddStop(0, Triple(0, 0, 0)), 0);
    EXPECT_EQ(colormap.AddStop(255, Triple(255, 255, 255)), 1);
    EXPECT_EQ(colormap.AddStop(100, Triple(1, 0, 0)), 1);
    EXPECT_EQ(colormap.AddStop(100, Triple(2, 0, 0)), 2);
    EXPECT_EQ(colormap.AddStop(255, Triple(3, 0, 0)), 4);
    EXPECT_EQ(colormap.m_aStops[1].colour.red, 1);
    EXPECT_EQ(colormap.m_aStops[2].colour.red, 2);
}

TEST(ColormapStops, MoveStopTracksTheStopAndNeverPassesAnEqualNeighbour) {
    Colormap colormap("Move");
    colormap.AddStop(0, Triple(10, 0, 0));
    colormap.AddStop(50, Triple(20, 0, 0));
    colormap.AddStop(100, Triple(30, 0, 0));
    colormap.AddStop(200, Triple(40, 0, 0));

    int index = 0;
    colormap.MoveStop(index, 250);
    EXPECT_EQ(index, 3);
    EXPECT_EQ(colormap.m_aStops[3].colour.red, 10);
    for (size_t i = 0; i + 1 < colormap.m_aStops.size(); ++i)
        EXPECT_LE(colormap.m_aStops[i].position, colormap.m_aStops[i + 1].position);

    index = 3;
    colormap.MoveStop(index, 100); // lands beside the stop already at 100
    EXPECT_EQ(index, 2);
    EXPECT_EQ(colormap.m_aStops[1].position, 100);
    EXPECT_EQ(colormap.m_aStops[1].colour.red, 30);
    EXPECT_EQ(colormap.m_aStops[2].colour.red, 10);
}

TEST(ColormapStops, SetColorUnpacksRedFromTheLowByteAndRemoveShifts) {
    Colormap colormap("Edit");
    colormap.AddStop(0, Triple(0, 0, 0));
    colormap.AddStop(255, Triple(0, 0, 0));
    colormap.SetStopColor(1, 0x00332211);
    EXPECT_EQ(colormap.m_aStops[1].colour, Triple(0x11, 0x22, 0x33));
    colormap.RemoveStop(0);
    ASSERT_EQ(colormap.m_aStops.size(), 1u);
    EXPECT_EQ(colormap.m_aStops[0].position, 255);
}

TEST(ColormapStops, NamedConstructionIsTraced) {
    TraceCapture trace;
    Colormap colormap("New colormap");
    Colormap unnamed;
    EXPECT_EQ(trace.m_lines, std::vector<std::string>{"Colormap: New colormap \"New colormap\""});
}
