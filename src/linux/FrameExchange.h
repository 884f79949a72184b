#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

// Hands finished 32-bit frames from the render worker to the thread that shows them. Three
// buffers: the worker fills one, the newest finished frame waits in the second, the viewer reads
// the third, and a hand-over only swaps two of them under the mutex, so neither side waits for
// the other's copying and no frame is shown half-drawn.
class FrameExchange {
public:
    // Only while neither side is using a buffer (the worker stopped).
    void Resize(int width, int height);
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Worker: the buffer to draw the next frame into.
    uint32_t* Back() { return m_aBuffers[m_nBack].data(); }
    // Worker: offers the finished back buffer. True when the viewer had taken the previous
    // frame, i.e. the viewer may be idle and needs waking.
    bool Publish();

    // Viewer: makes the newest finished frame current; false when there is none since the last
    // call.
    bool Take();
    // Viewer: the current frame, width x height pixels, top line first.
    const uint32_t* Front() const { return m_aBuffers[m_nFront].data(); }

private:
    std::mutex m_mutex;
    std::vector<uint32_t> m_aBuffers[3];
    int m_nBack = 0;
    int m_nReady = 1;
    int m_nFront = 2;
    bool m_bFresh = false;
    int m_nWidth = 0;
    int m_nHeight = 0;
};
