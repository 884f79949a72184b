#pragma once

#include "linux/OutputFile.h"
#include "settings/Colormap.h"

#include <cstdint>
#include <memory>
#include <string>

// A video of 8-bit frames shown through their palettes: H.264 (yuv420p) in MP4 or VP9 in WebM,
// as the file's name says. The encoder runs on one thread and nothing time- or build-dependent
// goes into the container, so the same frames always give the same bytes.
class VideoWriter {
public:
    VideoWriter();
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // The size must suit the format (see VideoSizeProblem).
    bool Open(const std::string& path, int width, int height, int fps);
    // rows: height rows of width palette indices, top line first, `stride` bytes apart. Each
    // frame lasts one frame period.
    bool AddFrame(const uint8_t* rows, int stride, const PaletteEntry palette[256]);
    // Encodes what the encoder still holds, finishes the file and puts it in place.
    bool Commit();
    // Drops everything written so far.
    void Abandon();

    const std::string& Error() const { return m_strError; }

private:
    struct Encoder;

    bool Encode(bool last);
    bool Fail(const char* step, int error);

    OutputFile m_output;
    std::unique_ptr<Encoder> m_pEncoder;
    std::string m_strError;
};
