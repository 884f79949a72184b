#pragma once

#include <string>

// Asks the X server about windows that belong to someone else: whether one exists and its size,
// without dying on X's default error handler when it does not.
class X11Probe {
public:
    X11Probe() = default;
    ~X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    // Connects to $DISPLAY; false when there is no display.
    bool Open();
    unsigned long RootWindowId() const;
    // False when the window does not exist (any more).
    bool GetSize(unsigned long window, int& width, int& height);

private:
    void* m_pDisplay = nullptr;
};
