#include "linux/VideoFormat.h"

#include <algorithm>
#include <cctype>

namespace {

bool EndsWith(const std::string& path, const std::string& suffix) {
    if (path.size() <= suffix.size())
        return false;
    return std::equal(suffix.rbegin(), suffix.rend(), path.rbegin(), [](char a, char b) {
        return a == std::tolower(static_cast<unsigned char>(b));
    });
}

} // namespace

VideoFormat VideoFormatOf(const std::string& path) {
    if (EndsWith(path, ".mp4"))
        return VideoFormat::Mp4;
    if (EndsWith(path, ".webm"))
        return VideoFormat::WebM;
    return VideoFormat::Unknown;
}

std::string VideoSizeProblem(VideoFormat format, int width, int height) {
    // H.264 in 4:2:0, the one form every browser and phone plays, codes colour for 2x2 blocks and
    // has no half blocks; VP9 rounds the colour planes up instead.
    if (format == VideoFormat::Mp4 && (width % 2 != 0 || height % 2 != 0))
        return "H.264 needs an even width and height, and " + std::to_string(width) + "x" +
               std::to_string(height) + " is not; try " + std::to_string(width + width % 2) + "x" +
               std::to_string(height + height % 2);
    return {};
}
