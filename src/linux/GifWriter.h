#pragma once

#include "linux/OutputFile.h"
#include "settings/Colormap.h"

#include <cstdint>
#include <string>

struct GifFileType;

// An endlessly looping animated GIF of 8-bit frames. The first frame's palette becomes the
// global colour table; a frame whose palette differs from it carries its own table.
class GifWriter {
public:
    GifWriter() = default;
    ~GifWriter();
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    bool Open(const std::string& path, int width, int height);
    // rows: height rows of width palette indices, top line first, `stride` bytes apart.
    // delay: hundredths of a second this frame stays up.
    bool AddFrame(uint8_t* rows, int stride, const PaletteEntry palette[256], int delay);
    // Finishes the file and puts it in place.
    bool Commit();
    // Drops everything written so far.
    void Abandon();

    const std::string& Error() const { return m_strError; }

private:
    bool Fail(int gifError);

    OutputFile m_output;
    GifFileType* m_pGif = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nFrames = 0;
    PaletteEntry m_aGlobal[256] = {};
    std::string m_strError;
};

// Frame i's delay in hundredths of a second at fps frames per second: whole hundredths that add
// up to the exact running time, so 30 fps alternates 3, 4, 3, ...
int GifFrameDelay(int frame, int fps);
