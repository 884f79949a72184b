#pragma once

#include <mutex>
#include <utility>

// Hands finished frames from the render worker to the thread that shows them. Three frames: the
// worker fills one, the newest finished frame waits in the second, the viewer reads the third, and
// a hand-over only swaps two of them under the mutex, so neither side waits for the other's
// copying and no frame is shown half-drawn.
template <class Frame> class FrameExchange {
public:
    // Only while neither side is using a frame (the worker stopped): all three become `blank`
    // and none is waiting.
    void Reset(const Frame& blank) {
        std::lock_guard lock(m_mutex);
        for (Frame& frame : m_aFrames)
            frame = blank;
        m_bFresh = false;
    }

    // Worker: the frame to draw the next one into.
    Frame& Back() { return m_aFrames[m_nBack]; }
    // Worker: offers the finished back frame. True when the viewer had taken the previous frame,
    // i.e. the viewer may be idle and needs waking.
    bool Publish() {
        std::lock_guard lock(m_mutex);
        std::swap(m_nBack, m_nReady);
        const bool wasTaken = !m_bFresh;
        m_bFresh = true;
        return wasTaken;
    }

    // Viewer: makes the newest finished frame current; false when there is none since the last
    // call.
    bool Take() {
        std::lock_guard lock(m_mutex);
        if (!m_bFresh)
            return false;
        std::swap(m_nFront, m_nReady);
        m_bFresh = false;
        return true;
    }
    // Viewer: the current frame.
    const Frame& Front() const { return m_aFrames[m_nFront]; }

private:
    std::mutex m_mutex;
    Frame m_aFrames[3];
    int m_nBack = 0;
    int m_nReady = 1;
    int m_nFront = 2;
    bool m_bFresh = false;
};
