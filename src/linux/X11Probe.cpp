#include "linux/X11Probe.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <algorithm>
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

std::vector<Rect> X11Probe::Monitors() {
    Display* display = static_cast<Display*>(m_pDisplay);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!display || !XRRQueryExtension(display, &event, &error) ||
        !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 105)
        return {};
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    std::vector<Rect> bounds;
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        Rect rect{m.x, m.y, m.x + m.width, m.y + m.height};
        bounds.insert(m.primary ? bounds.begin() : bounds.end(), rect);
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    return bounds;
}
