#include "linux/X11Probe.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/dpms.h>
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

// Frames per second of a mode; 0 for one that does not say (a virtual server's).
double ModeRate(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan)
        lines *= 2;
    if (mode.modeFlags & RR_Interlace)
        lines /= 2;
    const double dots = static_cast<double>(mode.hTotal) * lines;
    return dots > 0 ? static_cast<double>(mode.dotClock) / dots : 0.0;
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

bool X11Probe::GetSize(unsigned long window, int& width, int& height, bool* viewable) {
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
    if (viewable)
        *viewable = attributes.map_state == IsViewable;
    return true;
}

std::vector<DisplayRate> X11Probe::Monitors() {
    Display* display = static_cast<Display*>(m_pDisplay);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!display || !XRRQueryExtension(display, &event, &error) ||
        !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 105)
        return {};
    const Window root = DefaultRootWindow(display);
    // A monitor is paced by the CRTC that shows it, whose mode says its rate.
    std::vector<DisplayRate> crtcs;
    if (XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root)) {
        for (int c = 0; c < resources->ncrtc; ++c) {
            XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, resources->crtcs[c]);
            if (!crtc)
                continue;
            for (int m = 0; m < resources->nmode && crtc->mode; ++m) {
                if (resources->modes[m].id == crtc->mode)
                    crtcs.push_back({{crtc->x, crtc->y, crtc->x + int(crtc->width),
                                      crtc->y + int(crtc->height)},
                                     ModeRate(resources->modes[m])});
            }
            XRRFreeCrtcInfo(crtc);
        }
        XRRFreeScreenResources(resources);
    }
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, root, True, &count);
    std::vector<DisplayRate> found;
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        const Rect rect{m.x, m.y, m.x + m.width, m.y + m.height};
        const DisplayRate monitor{rect, RefreshRateOf(crtcs, rect)};
        found.insert(m.primary ? found.begin() : found.end(), monitor);
    }
    if (monitors)
        XRRFreeMonitors(monitors);
    return found;
}

bool X11Probe::DisplaysAsleep() {
    Display* display = static_cast<Display*>(m_pDisplay);
    int event = 0, error = 0;
    if (!display || !DPMSQueryExtension(display, &event, &error) || !DPMSCapable(display))
        return false;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    return DPMSInfo(display, &level, &enabled) && enabled && level != DPMSModeOn;
}
