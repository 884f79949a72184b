#include "Process.h"

#include "linux/Exporter.h"
#include "linux/GifWriter.h"
#include "settings/FileRegStore.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <algorithm>
#include <array>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <png.h>

namespace {

struct Decoded {
    GifFileType* gif = nullptr;
    ~Decoded() {
        int error = 0;
        if (gif)
            DGifCloseFile(gif, &error);
    }
};

class LinuxExport : public ::testing::Test {
protected:
    void TearDown() override { SetFixedSeed(std::nullopt); }
    TempDir m_dir;
};

TEST_F(LinuxExport, GifHasEveryFrameUprightSizedTimedAndLocalTablesOnlyWhenThePaletteMoves) {
    std::string settingsPath = WriteSettingsFile(m_dir.File("s.reg"), ShortCycle);
    FileRegStore store(settingsPath);
    Settings settings(store);
    Options options;
    options.mode = Mode::Gif;
    options.output = m_dir.File("out.gif");
    options.frames = 30;
    options.width = 48;
    options.height = 30;
    options.fps = 10;
    SetFixedSeed(7);
    Exporter exporter(options, settings);
    ASSERT_EQ(exporter.Run(), 0) << exporter.Error();
    auto entries = m_dir.Entries();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"out.gif", "s.reg"})) << "no temporary left";

    Decoded d;
    int error = 0;
    d.gif = DGifOpenFileName(options.output.c_str(), &error);
    ASSERT_NE(d.gif, nullptr);
    ASSERT_EQ(DGifSlurp(d.gif), GIF_OK);
    EXPECT_EQ(d.gif->SWidth, 48);
    EXPECT_EQ(d.gif->SHeight, 30);
    ASSERT_EQ(d.gif->ImageCount, 30);
    ASSERT_NE(d.gif->SColorMap, nullptr);
    EXPECT_EQ(d.gif->SColorMap->ColorCount, 256);

    int total = 0;
    std::vector<int> withLocal;
    for (int i = 0; i < d.gif->ImageCount; ++i) {
        const SavedImage& frame = d.gif->SavedImages[i];
        EXPECT_EQ(frame.ImageDesc.Width, 48);
        EXPECT_EQ(frame.ImageDesc.Height, 30);
        GraphicsControlBlock control;
        ASSERT_EQ(DGifSavedExtensionToGCB(d.gif, i, &control), GIF_OK);
        EXPECT_EQ(control.DelayTime, 10);
        total += control.DelayTime;
        if (frame.ImageDesc.ColorMap)
            withLocal.push_back(i);
    }
    EXPECT_EQ(total, 300);
    // The timer armed on frame 0 fires on frame 11 (1100 ms > 1000 ms); frame 12 shows the fade's
    // first step, the outgoing palette itself; from frame 13 the palette moves, and after the fade
    // it stays the next preset's, which the global table does not hold.
    ASSERT_FALSE(withLocal.empty());
    EXPECT_EQ(withLocal.front(), 13);
    EXPECT_EQ(withLocal.back(), 29);
    EXPECT_EQ(static_cast<int>(withLocal.size()), 17);
    auto differing = [&](int a, int b) {
        const GifColorType* ca = d.gif->SavedImages[a].ImageDesc.ColorMap->Colors;
        const GifColorType* cb = d.gif->SavedImages[b].ImageDesc.ColorMap->Colors;
        int n = 0;
        for (int i = 0; i < 256; ++i)
            n += ca[i].Red != cb[i].Red || ca[i].Green != cb[i].Green || ca[i].Blue != cb[i].Blue;
        return n;
    };
    // Fade steps differ from each other; the end of the fade holds still.
    EXPECT_GT(differing(13, 16), 0);
    EXPECT_GT(differing(16, 19), 0);
    EXPECT_EQ(differing(20, 29), 0);

    // The fade clears every particle: the picture only dims from frame 11 to the fade's end.
    auto brightness = [&](int frame) {
        long sum = 0;
        const SavedImage& image = d.gif->SavedImages[frame];
        for (int p = 0; p < 48 * 30; ++p)
            sum += image.RasterBits[p];
        return sum;
    };
    EXPECT_GT(brightness(10), 0);
    EXPECT_LE(brightness(19), brightness(12));
}

TEST_F(LinuxExport, UprightRowsTopLineFirst) {
    // A PNG of the first frame of a Fireworks run: rockets are born at the bottom of the
    // picture, so the bottom half holds the light and the top half is still dark.
    MemoryRegStore store;
    Settings settings(store);
    Options options;
    options.mode = Mode::Png;
    options.output = m_dir.File("first.png");
    options.frames = 3;
    options.width = 64;
    options.height = 64;
    SetFixedSeed(3);
    ASSERT_EQ(settings.m_pCurrentPreset->Name, "Fireworks");
    Exporter exporter(options, settings);
    ASSERT_EQ(exporter.Run(), 0) << exporter.Error();

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, options.output.c_str()));
    EXPECT_EQ(image.width, 64u);
    EXPECT_EQ(image.height, 64u);
    EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_COLORMAP);
    image.format = PNG_FORMAT_GRAY;
    std::vector<uint8_t> pixels(64 * 64);
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 64, nullptr));
    long top = 0, bottom = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            (y < 32 ? top : bottom) += pixels[y * 64 + x];
    EXPECT_GT(bottom, top);
}

TEST_F(LinuxExport, ProgressCountsEveryFrameOnceAndCancelStopsWithoutAFile) {
    MemoryRegStore store;
    Settings settings(store);
    Options options;
    options.mode = Mode::Gif;
    options.output = m_dir.File("run.gif");
    options.frames = 12;
    options.width = 32;
    options.height = 24;
    std::vector<int> reported;
    Exporter whole(options, settings);
    ASSERT_EQ(whole.Run(nullptr,
                        [&](int done, int total) {
                            EXPECT_EQ(total, 12);
                            reported.push_back(done);
                        }),
              0)
        << whole.Error();
    std::vector<int> expected(12);
    for (int i = 0; i < 12; ++i)
        expected[i] = i + 1;
    EXPECT_EQ(reported, expected) << "frames made after the last one are not reported";

    // Raised part-way: the frame being made is the last one, and nothing is left behind.
    options.output = m_dir.File("cancelled.gif");
    std::atomic<bool> cancel{false};
    reported.clear();
    Exporter cancelled(options, settings);
    EXPECT_EQ(cancelled.Run(&cancel,
                            [&](int done, int) {
                                reported.push_back(done);
                                if (done == 5)
                                    cancel = true;
                            }),
              130);
    EXPECT_EQ(reported, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"run.gif"});
}

TEST_F(LinuxExport, SameSeedSameBytesFromTheProgram) {
    std::string settingsPath = WriteSettingsFile(m_dir.File("s.reg"), ShortCycle);
    auto run = [&](const std::string& name, const std::string& seed) {
        ChildResult r =
            RunChild({LUMENKITE_EXE, "--settings", settingsPath, "--gif", m_dir.File(name),
                      "--frames", "24", "--size", "80x50", "--fps", "10", "--seed", seed});
        EXPECT_EQ(r.status, 0) << r.err;
        // The rate is printed whether or not standard error is a terminal.
        EXPECT_NE(r.err.find("24 frames of 80x50 rendered"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("frames per second"), std::string::npos) << r.err;
        return ReadWholeFile(m_dir.File(name));
    };
    std::string a = run("a.gif", "1234");
    std::string b = run("b.gif", "1234");
    std::string c = run("c.gif", "1235");
    ASSERT_FALSE(a.empty());
    EXPECT_TRUE(a == b) << "same seed, different bytes";
    EXPECT_FALSE(a == c) << "the seed has no effect";
    EXPECT_EQ(a.compare(0, 6, "GIF89a"), 0);
}

TEST_F(LinuxExport, UnwritableOutputFailsWithTheReasonAndLeavesNothing) {
    std::string plainFile = WriteSettingsFile(m_dir.File("plain"), "");
    const std::pair<std::string, std::string> cases[] = {
        {m_dir.File("missing/out.gif"), "No such file or directory"},
        {plainFile + "/out.gif", "Not a directory"},
        {m_dir.Path(), "Is a directory"},
    };
    for (const auto& [path, reason] : cases) {
        for (const char* mode : {"--gif", "--png"}) {
            SCOPED_TRACE(path + " " + mode);
            ChildResult r = RunChild({LUMENKITE_EXE, "--settings", m_dir.File("none.reg"), mode,
                                      path, "--frames", "2", "--size", "16x16"});
            EXPECT_EQ(r.status, 1);
            EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(path), std::string::npos) << r.err;
        }
    }
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"plain"});

    // A write that fails half-way (the file size limit) removes what was written.
    ChildResult r = RunChild({LUMENKITE_EXE, "--settings", m_dir.File("none.reg"), "--gif",
                              m_dir.File("big.gif"), "--frames", "200", "--size", "320x200"},
                             {}, 30000, 64 * 1024);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"plain"});
}

TEST_F(LinuxExport, BadInputExitsTwoWithTheUsageHint) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--gif", m_dir.File("x.gif"), "--size", "0x10"},
          std::vector<std::string>{"--gif", m_dir.File("x.gif"), "--preset", "Nope"},
          std::vector<std::string>{"--frobnicate"}}) {
        std::vector<std::string> argv{LUMENKITE_EXE, "--settings", m_dir.File("none.reg")};
        argv.insert(argv.end(), args.begin(), args.end());
        ChildResult r = RunChild(argv);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("Try 'lumenkite --help'"), std::string::npos) << r.err;
    }
    EXPECT_TRUE(m_dir.Entries().empty());
}

// Frames handed straight to the writer: a palette of distinct colours, and copies of it with one
// byte of one entry changed.
class LinuxGifWriter : public ::testing::Test {
protected:
    using Frame = std::array<PaletteEntry, 256>;
    static constexpr int Width = 8, Height = 4;
    static constexpr int Entry = 200;

    static Frame Base() {
        Frame palette;
        for (int i = 0; i < 256; ++i)
            palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                          static_cast<uint8_t>(i * 7), 0};
        return palette;
    }
    static Frame With(uint8_t PaletteEntry::*channel) {
        Frame palette = Base();
        palette[Entry].*channel ^= 1;
        return palette;
    }
    bool Write(GifWriter& writer, const std::vector<Frame>& frames) {
        if (!writer.Open(m_dir.File("w.gif"), Width, Height))
            return false;
        std::array<uint8_t, Width * Height> pixels;
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<uint8_t>(Entry + i % 3);
        for (const Frame& palette : frames)
            if (!writer.AddFrame(pixels.data(), Width, palette.data(), 5))
                return false;
        return true;
    }
    // Each frame's own colour table, empty where the frame uses the global one.
    std::vector<std::vector<GifColorType>> LocalTables() {
        Decoded d;
        int error = 0;
        d.gif = DGifOpenFileName(m_dir.File("w.gif").c_str(), &error);
        std::vector<std::vector<GifColorType>> tables;
        if (!d.gif || DGifSlurp(d.gif) != GIF_OK || !d.gif->SColorMap) {
            ADD_FAILURE() << "the GIF does not decode";
            return tables;
        }
        EXPECT_TRUE(SameTable(d.gif->SColorMap->Colors, Base())) << "global table";
        for (int i = 0; i < d.gif->ImageCount; ++i) {
            const ColorMapObject* map = d.gif->SavedImages[i].ImageDesc.ColorMap;
            tables.emplace_back();
            if (map)
                tables.back().assign(map->Colors, map->Colors + map->ColorCount);
        }
        return tables;
    }
    static bool SameTable(const GifColorType* colours, const Frame& palette) {
        for (int i = 0; i < 256; ++i)
            if (colours[i].Red != palette[i].red || colours[i].Green != palette[i].green ||
                colours[i].Blue != palette[i].blue)
                return false;
        return true;
    }

    TempDir m_dir;
};

TEST_F(LinuxGifWriter, APaletteBackToTheGlobalOneAfterALocalOneLeaksNothing) {
    // Under LeakSanitizer a table lost between frames fails this test binary.
    const Frame moved = With(&PaletteEntry::green);
    {
        GifWriter writer;
        ASSERT_TRUE(Write(writer, {Base(), moved, Base(), moved, Base()})) << writer.Error();
        ASSERT_TRUE(writer.Commit()) << writer.Error();
    }
    auto tables = LocalTables();
    ASSERT_EQ(tables.size(), 5u);
    for (size_t i : {0, 2, 4})
        EXPECT_TRUE(tables[i].empty()) << "frame " << i;
    for (size_t i : {1, 3}) {
        ASSERT_EQ(tables[i].size(), 256u) << "frame " << i;
        EXPECT_TRUE(SameTable(tables[i].data(), moved)) << "frame " << i;
    }

    // Dropped half-way, with the last local table still held by the encoder.
    GifWriter dropped;
    ASSERT_TRUE(Write(dropped, {Base(), moved, Base(), moved})) << dropped.Error();
    dropped.Abandon();
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"w.gif"});
}

TEST_F(LinuxGifWriter, ALocalTableForAChangeInAnyOneColourChannelButNotTheReservedByte) {
    const std::pair<const char*, uint8_t PaletteEntry::*> changes[] = {
        {"red", &PaletteEntry::red},
        {"green", &PaletteEntry::green},
        {"blue", &PaletteEntry::blue},
        {"reserved", &PaletteEntry::reserved},
    };
    std::vector<Frame> frames{Base()};
    for (const auto& change : changes)
        frames.push_back(With(change.second));
    GifWriter writer;
    ASSERT_TRUE(Write(writer, frames)) << writer.Error();
    ASSERT_TRUE(writer.Commit()) << writer.Error();

    auto tables = LocalTables();
    ASSERT_EQ(tables.size(), frames.size());
    EXPECT_TRUE(tables[0].empty());
    for (size_t i = 1; i < frames.size(); ++i) {
        SCOPED_TRACE(changes[i - 1].first);
        if (changes[i - 1].second == &PaletteEntry::reserved) {
            EXPECT_TRUE(tables[i].empty()) << "the reserved byte is not a colour";
            continue;
        }
        ASSERT_EQ(tables[i].size(), 256u) << "no local table for the changed colour";
        EXPECT_TRUE(SameTable(tables[i].data(), frames[i]));
    }
}

TEST(LinuxGifDelay, WholeHundredthsAddUpToTheRunningTime) {
    int sum = 0;
    for (int i = 0; i < 30; ++i) {
        int delay = GifFrameDelay(i, 30);
        EXPECT_TRUE(delay == 3 || delay == 4) << delay;
        sum += delay;
    }
    EXPECT_EQ(sum, 100);
    EXPECT_EQ(GifFrameDelay(0, 50), 2);
    EXPECT_EQ(GifFrameDelay(5, 1), 100);
}

} // namespace
