#include "linux/SaverInput.h"
#include "linux/FrameExchange.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

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
    FrameExchange exchange;
    exchange.Resize(4, 2);
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

TEST(LinuxFrameExchange, ConcurrentHandOverNeverTears) {
    FrameExchange exchange;
    exchange.Resize(64, 64);
    const int pixels = 64 * 64;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (uint32_t frame = 1; frame <= 3000; ++frame) {
            uint32_t* out = exchange.Back();
            for (int i = 0; i < pixels; ++i)
                out[i] = frame;
            exchange.Publish();
        }
        done = true;
    });
    uint32_t last = 0;
    int taken = 0;
    for (;;) {
        bool finished = done;
        if (!exchange.Take()) {
            if (finished)
                break;
            continue;
        }
        const uint32_t* in = exchange.Front();
        for (int i = 0; i < pixels; ++i)
            ASSERT_EQ(in[i], in[0]) << "torn frame";
        ASSERT_GT(in[0], last) << "frames must arrive in order";
        last = in[0];
        ++taken;
    }
    worker.join();
    EXPECT_GT(taken, 0);
}
