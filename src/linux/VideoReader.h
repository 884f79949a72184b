#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A video file as a player shows it: every frame back in RGB, three bytes a pixel, top line first,
// by the colour matrix and range the file declares, its colour blended between the blocks.
struct DecodedVideo {
    std::string codec;
    int width = 0;
    int height = 0;
    int rateNumerator = 0;
    int rateDenominator = 1;
    double seconds = 0;
    std::vector<std::vector<uint8_t>> frames;
    // Empty unless the file did not open as a video of one stream.
    std::string error;
};

// For measuring what an export looks like (the quality tool, the tests).
DecodedVideo ReadVideo(const std::string& path);
