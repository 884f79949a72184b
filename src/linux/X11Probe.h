#pragma once

#include "linux/DisplayRates.h"

#include <string>
#include <vector>

// Replaces Xlib's process-wide error handlers; call after SDL_Init, which installs its own. The
// default handlers call exit() from inside whichever X call met the error, running the static
// destructors under the render worker, and SDL's asks the server for more from inside the handler,
// which waits forever on the display's own lock. Now an error (mostly a foreign window that is
// gone, which the main loop finds out for itself) is ignored, and a lost connection ends the
// process at once: nothing can be shown any more.
void TakeOverXErrors();

// Asks the X server about windows that belong to someone else (whether one exists, its size and
// whether it can be seen, without dying on X's default error handler when it does not), about the
// monitors and about the displays' power.
class X11Probe {
public:
    X11Probe() = default;
    ~X11Probe();
    X11Probe(const X11Probe&) = delete;
    X11Probe& operator=(const X11Probe&) = delete;

    // Connects to $DISPLAY; false when there is no display.
    bool Open();
    unsigned long RootWindowId() const;
    // False when the window does not exist (any more). `viewable`: it and every window above it
    // are mapped.
    bool GetSize(unsigned long window, int& width, int& height, bool* viewable = nullptr);
    // The active monitors' bounds as the server has them now, the primary first, with the rate of
    // the mode they show; empty without RandR 1.5. SDL 2 reads its list once and misses monitors
    // switched on or off later.
    std::vector<DisplayRate> Monitors();
    // True while the server has put the displays to sleep (DPMS standby, suspend or off).
    bool DisplaysAsleep();

private:
    void* m_pDisplay = nullptr;
};
