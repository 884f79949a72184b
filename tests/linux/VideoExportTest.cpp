#include "Process.h"

#include "linux/Exporter.h"
#include "linux/ProgressLine.h"
#include "linux/VideoReader.h"
#include "settings/FileRegStore.h"
#include "settings/Settings.h"
#include "support/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <png.h>

namespace {

using Rgb = std::vector<uint8_t>;

double Psnr(const Rgb& a, const Rgb& b) {
    double squares = 0;
    for (size_t i = 0; i < a.size(); ++i)
        squares += (a[i] - b[i]) * (a[i] - b[i]);
    return squares == 0 ? 99 : 10 * std::log10(255.0 * 255.0 * a.size() / squares);
}

class LinuxVideoExport : public ::testing::Test {
protected:
    void TearDown() override { SetFixedSeed(std::nullopt); }

    Options Export(Mode mode, const std::string& name, int frames, int width, int height) {
        FileRegStore store(m_dir.File("s.reg"));
        Settings settings(store);
        Options options;
        options.mode = mode;
        options.output = m_dir.File(name);
        options.frames = frames;
        options.width = width;
        options.height = height;
        options.fps = 10;
        SetFixedSeed(11);
        Exporter exporter(options, settings);
        EXPECT_EQ(exporter.Run(), 0) << exporter.Error();
        return options;
    }
    // Frame n exactly as the renderer made it: the last frame of an export of n + 1 frames.
    Rgb ExactFrame(int n, int width, int height) {
        Options options = Export(Mode::Png, "exact.png", n + 1, width, height);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        Rgb rgb(static_cast<size_t>(width) * height * 3);
        EXPECT_TRUE(png_image_begin_read_from_file(&image, options.output.c_str()));
        image.format = PNG_FORMAT_RGB;
        EXPECT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
        return rgb;
    }

    TempDir m_dir;
    std::string m_strSettings = WriteSettingsFile(m_dir.File("s.reg"), ShortCycle);
};

TEST_F(LinuxVideoExport, EveryFrameAtItsRateAndSizeCloseToTheExactFrames) {
    // VP9 takes odd sizes; H.264 in 4:2:0 only even ones.
    const std::tuple<const char*, const char*, int, int> cases[] = {
        {"out.mp4", "h264", 80, 50},
        {"out.webm", "vp9", 81, 51},
    };
    for (const auto& [name, codec, width, height] : cases) {
        SCOPED_TRACE(name);
        Export(Mode::Video, name, 24, width, height);
        DecodedVideo video = ReadVideo(m_dir.File(name));
        ASSERT_EQ(video.error, "");
        EXPECT_EQ(video.codec, codec);
        EXPECT_EQ(video.width, width);
        EXPECT_EQ(video.height, height);
        EXPECT_EQ(video.rateNumerator, 10 * video.rateDenominator);
        EXPECT_NEAR(video.seconds, 2.4, 0.01);
        ASSERT_EQ(video.frames.size(), 24u);
        // Before, inside and after the cross-fade; and a frame unlike its neighbours' exact ones.
        for (int n : {0, 14, 23}) {
            const Rgb exact = ExactFrame(n, width, height);
            EXPECT_GT(Psnr(video.frames[n], exact), 32) << "frame " << n;
            if (n > 0) {
                EXPECT_LT(Psnr(video.frames[n - 1], exact), Psnr(video.frames[n], exact));
            }
        }
    }
    EXPECT_EQ(m_dir.Entries().size(), 4u) << "settings, two videos and the last PNG only";
}

TEST_F(LinuxVideoExport, SameSeedSameBytesAndOneLineOnStandardErrorThatIsNoTerminal) {
    for (const char* extension : {".mp4", ".webm"}) {
        auto run = [&](const std::string& seed) {
            const std::string path = m_dir.File("v" + seed + extension);
            ChildResult r = RunChild({LUMENKITE_EXE, "--settings", m_strSettings, "--video", path,
                                      "--frames", "12", "--size", "64x40", "--seed", seed});
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
            EXPECT_NE(r.err.find("12 frames of 64x40 rendered"), std::string::npos) << r.err;
            return ReadWholeFile(path);
        };
        SCOPED_TRACE(extension);
        const std::string a = run("5"), b = run("5"), c = run("6");
        ASSERT_FALSE(a.empty());
        EXPECT_TRUE(a == b) << "same seed, different bytes";
        EXPECT_FALSE(a == c) << "the seed has no effect";
    }
}

TEST_F(LinuxVideoExport, BadNamesSizesAndPlacesFailWithTheReasonAndLeaveNothing) {
    // The last two fail part-way, at the file size limit: what was written goes too.
    const std::tuple<const char*, const char*, long, int, const char*> cases[] = {
        {"out.avi", "64x40", 0, 2, "does not end in .mp4 or .webm"},
        {"odd.mp4", "63x40", 0, 2, "even width and height"},
        {"missing/out.mp4", "64x40", 0, 1, "No such file or directory"},
        {"missing/out.webm", "64x40", 0, 1, "No such file or directory"},
        {"big.mp4", "320x200", 8192, 1, "File too large"},
        {"big.webm", "320x200", 8192, 1, "File too large"},
    };
    for (const auto& [name, size, limit, status, reason] : cases) {
        SCOPED_TRACE(name);
        ChildResult r = RunChild({LUMENKITE_EXE, "--settings", m_strSettings, "--video",
                                  m_dir.File(name), "--frames", "60", "--size", size},
                                 {}, 30000, limit);
        EXPECT_EQ(r.status, status);
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
    }
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"s.reg"});
}

TEST(LinuxProgressLine, CountsElapsedAndTimeLeft) {
    EXPECT_EQ(ProgressLine(120, 300, 4.0),
              "[############                  ] 120/300  0:04 elapsed, 0:06 left");
    EXPECT_EQ(ProgressLine(0, 300, 0.4),
              "[                              ] 0/300  0:00 elapsed, time left unknown");
    // The estimate is the pace so far: a tenth done in an hour leaves nine.
    EXPECT_NE(ProgressLine(100, 1000, 3600).find("] 100/1000  1:00:00 elapsed, 9:00:00 left"),
              std::string::npos);
    EXPECT_EQ(ClockText(59.6), "1:00");
}

} // namespace
