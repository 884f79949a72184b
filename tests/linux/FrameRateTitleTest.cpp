#include "linux/FrameRateTitle.h"
#include "linux/ExportSummary.h"

#include <gtest/gtest.h>

TEST(FrameRateTitle, FormatsTheRateAfterTheTitle) {
    EXPECT_EQ(FrameRateTitle::Format("Lumenkite", 60), "Lumenkite - 60 fps");
    EXPECT_EQ(FrameRateTitle::Format("Lumenkite", 0), "Lumenkite - 0 fps");
    EXPECT_EQ(FrameRateTitle::Format("x", 1234), "x - 1234 fps");
}

// The window's thread sees each new count once, and nothing before the first report or while the
// count stays the same.
TEST(FrameRateTitle, ChangedOnlyWhenTheReportedCountChanges) {
    FrameRateTitle title("Lumenkite");
    EXPECT_FALSE(title.Changed());
    title.OnFrameRate(60);
    EXPECT_EQ(title.Changed(), "Lumenkite - 60 fps");
    EXPECT_FALSE(title.Changed());
    title.OnFrameRate(60);
    EXPECT_FALSE(title.Changed());
    title.OnFrameRate(57);
    title.OnFrameRate(59); // only the newest report matters
    EXPECT_EQ(title.Changed(), "Lumenkite - 59 fps");
    title.OnFrameRate(0);
    EXPECT_EQ(title.Changed(), "Lumenkite - 0 fps");
}

TEST(ExportSummary, SaysWhatWasWrittenAndTheRenderRate) {
    EXPECT_EQ(ExportSummary("out.gif", 300, 640, 400, 2.5),
              "wrote out.gif: 300 frames of 640x400 rendered in 2.50 s, 120.0 frames per second");
    EXPECT_EQ(ExportSummary("a.png", 1, 8, 8, 0.004),
              "wrote a.png: 1 frames of 8x8 rendered in 0.00 s, 250.0 frames per second");
    EXPECT_EQ(ExportSummary("a.png", 1, 8, 8, 0),
              "wrote a.png: 1 frames of 8x8 rendered too fast to time");
}
