#include "linux/X11Probe.h"

#include <X11/Xlib.h>
#include <atomic>
#include <unistd.h>

namespace {

std::atomic<bool> g_bXError{false};

int NoteXError(Display*, XErrorEvent*) {
    g_bXError = true;
    return 0;
}

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

[[noreturn]] int EndOnLostConnection(Display*) {
    _exit(1);
}

} // namespace

void TakeOverXErrors() {
    XSetErrorHandler(IgnoreXError);
    XSetIOErrorHandler(EndOnLostConnection);
}

X11Probe::~X11Probe() {
    if (m_pDisplay)
        XCloseDisplay(static_cast<Display*>(m_pDisplay));
}

bool X11Probe::Open() {
    if (!m_pDisplay)
        m_pDisplay = XOpenDisplay(nullptr);
    return m_pDisplay != nullptr;
}

unsigned long X11Probe::RootWindowId() const {
    return m_pDisplay ? DefaultRootWindow(static_cast<Display*>(m_pDisplay)) : 0;
}

bool X11Probe::GetSize(unsigned long window, int& width, int& height) {
    Display* display = static_cast<Display*>(m_pDisplay);
    if (!display)
        return false;
    XSync(display, False);
    g_bXError = false;
    auto previous = XSetErrorHandler(NoteXError);
    XWindowAttributes attributes{};
    Status ok = XGetWindowAttributes(display, window, &attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (!ok || g_bXError)
        return false;
    width = attributes.width;
    height = attributes.height;
    return true;
}
