#pragma once

#include <string>

// What a --video file is, told by its name: the container and the codec in it.
enum class VideoFormat { Unknown, Mp4, WebM };

// ".mp4" gives H.264 in MP4, ".webm" VP9 in WebM, in any letter case; anything else Unknown.
VideoFormat VideoFormatOf(const std::string& path);

// Empty when the format can carry pictures of this size, otherwise the reason it cannot.
std::string VideoSizeProblem(VideoFormat format, int width, int height);
