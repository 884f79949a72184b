#include "linux/SaverInput.h"
#include "linux/FrameExchange.h"
#include "linux/IndexedFrame.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

TEST(LinuxSaverInput, EndsOnlyOnTheInputTheSaverRulesName) {
    SaverInput input;
    EXPECT_TRUE(input.OnKeyDown(false));
    EXPECT_FALSE(input.OnKeyDown(true));
    EXPECT_TRUE(input.OnButtonDown(1));
    EXPECT_FALSE(input.OnButtonDown(2));
    EXPECT_TRUE(input.OnButtonDown(3));
    // The first move is recorded, a move to the same place ignored, the next different one ends.
    EXPECT_FALSE(input.OnMouseMove(10, 20));
    EXPECT_FALSE(input.OnMouseMove(10, 20));
    EXPECT_TRUE(input.OnMouseMove(10, 21));
    EXPECT_TRUE(input.OnMouseMove(11, 20));
}

TEST(LinuxSaverInput, AfterADisplayChangeTheNextPositionIsOnlyRecorded) {
    SaverInput input;
    EXPECT_FALSE(input.OnMouseMove(500, 400));
    // The display under the pointer went away and the system put the pointer elsewhere.
    input.ForgetPosition();
    EXPECT_FALSE(input.OnMouseMove(1200, 300));
    EXPECT_FALSE(input.OnMouseMove(1200, 300));
    EXPECT_TRUE(input.OnMouseMove(500, 400));
    // Forgetting the position leaves keys and buttons as they were.
    input.ForgetPosition();
    EXPECT_TRUE(input.OnKeyDown(false));
    EXPECT_TRUE(input.OnButtonDown(1));
    EXPECT_FALSE(input.OnMouseMove(0, 0));
    EXPECT_TRUE(input.OnMouseMove(1, 0));
}

TEST(LinuxFrameExchange, ViewerGetsEachFrameWholeAndOnlyOnce) {
    FrameExchange<std::vector<uint32_t>> exchange;
    exchange.Reset(std::vector<uint32_t>(8, 0));
    EXPECT_FALSE(exchange.Take());
    exchange.Back()[0] = 7;
    EXPECT_TRUE(exchange.Publish());
    exchange.Back()[0] = 8;
    // Not taken yet: the newer frame replaces it and no second wake-up is asked for.
    EXPECT_FALSE(exchange.Publish());
    EXPECT_TRUE(exchange.Take());
    EXPECT_EQ(exchange.Front()[0], 8u);
    EXPECT_FALSE(exchange.Take());
    EXPECT_EQ(exchange.Front()[0], 8u);
}

// The palette of a cross-fade changes every frame: the viewer must never pair an image with
// another frame's palette.
TEST(LinuxFrameExchange, ConcurrentHandOverNeverTearsImageOrPalette) {
    FrameExchange<IndexedFrame> exchange;
    exchange.Reset(IndexedFrame(61, 64));
    std::vector<uint8_t> image(size_t(ImagePitch(61)) * 64);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int frame = 1; frame <= 3000; ++frame) {
            std::fill(image.begin(), image.end(), uint8_t(frame));
            PaletteEntry palette[256];
            for (PaletteEntry& entry : palette)
                entry = {uint8_t(frame), uint8_t(frame >> 8), 0, 0};
            exchange.Back().Capture(image.data(), palette);
            exchange.Publish();
        }
        done = true;
    });
    int last = 0;
    int taken = 0;
    for (;;) {
        bool finished = done;
        if (!exchange.Take()) {
            if (finished)
                break;
            continue;
        }
        const IndexedFrame& in = exchange.Front();
        const int frame = in.palette[0].blue | in.palette[0].green << 8;
        for (uint8_t index : in.image)
            ASSERT_EQ(index, uint8_t(frame)) << "torn frame";
        for (const PaletteEntry& entry : in.palette)
            ASSERT_EQ(entry, in.palette[0]) << "torn palette";
        ASSERT_GT(frame, last) << "frames must arrive in order";
        last = frame;
        ++taken;
    }
    worker.join();
    EXPECT_GT(taken, 0);
    EXPECT_EQ(last, 3000) << "the last frame published is the last one taken";
}
