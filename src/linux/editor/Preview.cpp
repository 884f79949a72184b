#include "linux/editor/Preview.h"

#include "engine/RenderStart.h"
#include "linux/editor/Signal.h"
#include "settings/Settings.h"

#include <algorithm>

namespace {

struct Queued {
    std::shared_ptr<Preview*> alive;
    std::function<void(Preview&)> fn;
};

gboolean RunQueued(gpointer data) {
    auto* queued = static_cast<Queued*>(data);
    if (*queued->alive)
        queued->fn(**queued->alive);
    return G_SOURCE_REMOVE;
}

// Queues fn on the main thread unless the preview is gone by the time it runs.
void RunOnMainThread(const std::shared_ptr<Preview*>& alive, std::function<void(Preview&)> fn) {
    g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, RunQueued, new Queued{alive, std::move(fn)},
                    [](gpointer data) { delete static_cast<Queued*>(data); });
}

// The monitor the widget is on, else the display's first; null without any.
GdkMonitor* MonitorOf(GtkWidget* widget) {
    GdkDisplay* display = gtk_widget_get_display(widget);
    GdkMonitor* monitor = nullptr;
    if (GtkNative* native = gtk_widget_get_native(widget))
        if (GdkSurface* surface = gtk_native_get_surface(native))
            monitor = gdk_display_get_monitor_at_surface(display, surface);
    GListModel* monitors = gdk_display_get_monitors(display);
    if (!monitor && g_list_model_get_n_items(monitors) > 0) {
        monitor = GDK_MONITOR(g_list_model_get_item(monitors, 0));
        g_object_unref(monitor);
    }
    return monitor;
}

// The screen of the monitor the widget is on, in device pixels.
Rect ScreenRect(GtkWidget* widget) {
    GdkMonitor* monitor = MonitorOf(widget);
    if (!monitor)
        return {0, 0, 1, 1};
    GdkRectangle geometry;
    gdk_monitor_get_geometry(monitor, &geometry);
    const int scale = gdk_monitor_get_scale_factor(monitor);
    return {0, 0, geometry.width * scale, geometry.height * scale};
}

} // namespace

Preview::Preview(Settings& settings, std::function<void(int)> onFrameRate)
    : m_onFrameRate(std::move(onFrameRate)), m_renderer(&settings, this),
      m_pArea(gtk_drawing_area_new()), m_pAlive(std::make_shared<Preview*>(this)) {
    // Kept past the window's end, so that the window's teardown never finds it gone.
    g_object_ref_sink(m_pArea);
    m_renderer.ApplyCpu();
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_pArea), Draw, this, nullptr);
    m_aHandlers[0] = Connect<void, int, int>(m_pArea, "resize", [this](int, int) {
        if (!m_pFullWindow)
            StartOn(m_pArea, true);
    });
    m_aHandlers[1] = Connect(m_pArea, "unrealize", [this] {
        if (m_pShowing == m_pArea)
            StopRendering();
    });
    m_aHandlers[2] = Connect(m_pArea, "map", [this] { WatchWindowState(m_pArea); });
    m_aHandlers[3] = Connect(m_pArea, "unmap", [this] { WatchWindowState(nullptr); });
}

Preview::~Preview() {
    WatchWindowState(nullptr);
    StopRendering();
    m_renderer.Kill();
    *m_pAlive = nullptr;
    if (m_pFullWindow)
        gtk_window_destroy(m_pFullWindow);
    for (gulong handler : m_aHandlers)
        g_signal_handler_disconnect(m_pArea, handler);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(m_pArea), nullptr, nullptr, nullptr);
    g_object_unref(m_pArea);
}

void Preview::StartOn(GtkWidget* area, bool small) {
    StopRendering();
    const int scale = gtk_widget_get_scale_factor(area);
    const int width = std::max(gtk_widget_get_width(area) * scale, 1);
    const int height = std::max(gtk_widget_get_height(area) * scale, 1);
    m_aImage.assign(static_cast<size_t>(ImagePitch(width)) * height, 0);
    m_exchange.Reset(std::vector<uint32_t>(static_cast<size_t>(width) * height, 0xFF000000u));
    m_rcDraw = Rect{0, 0, width, height};
    m_bSmall = small;
    m_pShowing = area;
    // GTK gives milli-hertz, 0 where the system does not say.
    GdkMonitor* monitor = MonitorOf(area);
    m_renderer.SetRefreshRate(monitor ? gdk_monitor_get_refresh_rate(monitor) / 1000.0 : 0.0);
    FollowShown();
    // The small preview never cycles: the preset shown is the one being edited.
    m_renderer.StartRender(this,
                           small ? RenderStart::Preview(m_rcDraw, ScreenRect(area), false)
                                 : RenderStart::FullScreen(m_rcDraw, false),
                           m_aImage.data());
    m_bRendering = true;
    UpdateTargetWorms();
}

void Preview::FollowShown() {
    bool shown = m_pShowing && gtk_widget_get_mapped(m_pShowing);
    if (shown && m_pShowing == m_pArea && m_pWatchedSurface)
        shown = (gdk_toplevel_get_state(GDK_TOPLEVEL(m_pWatchedSurface)) &
                 GDK_TOPLEVEL_STATE_MINIMIZED) == 0;
    m_renderer.SetShown(shown);
}

// The full-screen window is left at the first key or click, so only the small area's window is
// watched for being minimized.
void Preview::WatchWindowState(GtkWidget* area) {
    if (m_pWatchedSurface) {
        g_signal_handler_disconnect(m_pWatchedSurface, m_nStateHandler);
        g_object_unref(m_pWatchedSurface);
        m_pWatchedSurface = nullptr;
    }
    GtkNative* native = area ? gtk_widget_get_native(area) : nullptr;
    GdkSurface* surface = native ? gtk_native_get_surface(native) : nullptr;
    if (surface && GDK_IS_TOPLEVEL(surface)) {
        m_pWatchedSurface = GDK_SURFACE(g_object_ref(surface));
        m_nStateHandler = Connect<void, GParamSpec*>(surface, "notify::state",
                                                     [this](GParamSpec*) { FollowShown(); });
    }
    FollowShown();
}

void Preview::StopRendering() {
    Pause();
    m_pShowing = nullptr;
}

void Preview::Pause() {
    if (m_bRendering)
        m_renderer.EndRender();
    m_bRendering = false;
}

void Preview::Resume() {
    if (m_bRendering || !m_pShowing)
        return;
    m_renderer.BeginRender(this, m_rcDraw, m_aImage.data(), ImagePitch(m_rcDraw.Width()), m_bSmall,
                           false);
    m_bRendering = true;
}

void Preview::EnterFullScreen(GtkWindow* parent) {
    if (m_pFullWindow)
        return;
    StopRendering();
    m_pFullWindow = GTK_WINDOW(gtk_window_new());
    gtk_window_set_title(m_pFullWindow, "Lumenkite preview");
    gtk_window_set_transient_for(m_pFullWindow, parent);
    gtk_window_set_decorated(m_pFullWindow, FALSE);
    // Where no window manager makes it full screen, it still covers the screen.
    const Rect screen = ScreenRect(GTK_WIDGET(parent));
    const int scale = gtk_widget_get_scale_factor(GTK_WIDGET(parent));
    gtk_window_set_default_size(m_pFullWindow, screen.Width() / scale, screen.Height() / scale);
    GtkWidget* area = gtk_drawing_area_new();
    gtk_widget_set_focusable(area, TRUE);
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(area), Draw, this, nullptr);
    gtk_window_set_child(m_pFullWindow, area);
    Connect<void, int, int>(area, "resize", [this, area](int, int) { StartOn(area, false); });
    Connect(area, "map", [this] { FollowShown(); });
    Connect(area, "unmap", [this] { FollowShown(); });

    // Any key or click ends it, as the saver itself ends.
    GtkEventController* keys = gtk_event_controller_key_new();
    Connect<gboolean, guint, guint, GdkModifierType>(
        keys, "key-pressed", [this](guint, guint, GdkModifierType) -> gboolean {
            LeaveFullScreen();
            return TRUE;
        });
    gtk_widget_add_controller(GTK_WIDGET(m_pFullWindow), keys);
    GtkGesture* click = gtk_gesture_click_new();
    gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(click), 0);
    Connect<void, int, double, double>(click, "pressed",
                                       [this](int, double, double) { LeaveFullScreen(); });
    gtk_widget_add_controller(area, GTK_EVENT_CONTROLLER(click));
    Connect<gboolean>(m_pFullWindow, "close-request", [this]() -> gboolean {
        LeaveFullScreen();
        return TRUE;
    });
    gtk_window_fullscreen(m_pFullWindow);
    gtk_window_present(m_pFullWindow);
}

void Preview::LeaveFullScreen() {
    if (!m_pFullWindow)
        return;
    StopRendering();
    GtkWindow* window = m_pFullWindow;
    m_pFullWindow = nullptr;
    gtk_drawing_area_set_draw_func(GTK_DRAWING_AREA(gtk_window_get_child(window)), nullptr, nullptr,
                                   nullptr);
    gtk_window_destroy(window);
    if (gtk_widget_get_realized(m_pArea))
        StartOn(m_pArea, true);
}

std::unique_lock<std::recursive_mutex> Preview::LockRender() {
    return m_renderer.Lock();
}

void Preview::UpdateTargetWorms() {
    m_renderer.UpdateTargetWorms();
}

void Preview::ApplyCpu() {
    m_renderer.ApplyCpu();
}

void Preview::SetColormap(const Colormap& colormap) {
    PaletteEntry table[256];
    colormap.FillColorTable(table);
    auto lock = m_renderer.Lock();
    LoadPalette(table);
}

void Preview::LoadPalette(const PaletteEntry palette[256]) {
    m_expander.LoadPalette(palette);
}

void Preview::Present(int, int, int width, int height) {
    // Cairo's RGB24 is the expander's opaque ARGB, top line first.
    m_expander.Expand(m_aImage.data(), ImagePitch(width), width, height, m_exchange.Back().data(),
                      width);
    if (m_exchange.Publish())
        RunOnMainThread(m_pAlive, [](Preview& preview) {
            if (preview.m_pShowing)
                gtk_widget_queue_draw(preview.m_pShowing);
        });
}

void Preview::OnFrameRate(int frames) {
    RunOnMainThread(m_pAlive, [frames](Preview& preview) {
        if (preview.m_onFrameRate)
            preview.m_onFrameRate(frames);
    });
}

void Preview::Draw(GtkDrawingArea* area, cairo_t* cr, int width, int height, gpointer data) {
    auto& self = *static_cast<Preview*>(data);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    if (GTK_WIDGET(area) != self.m_pShowing)
        return;
    if (self.m_exchange.Take())
        ++self.m_nFramesShown;
    const int imageW = self.m_rcDraw.Width();
    const int imageH = self.m_rcDraw.Height();
    cairo_surface_t* image = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(self.m_exchange.Front().data())),
        CAIRO_FORMAT_RGB24, imageW, imageH, imageW * 4);
    cairo_scale(cr, static_cast<double>(width) / imageW, static_cast<double>(height) / imageH);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_paint(cr);
    cairo_surface_destroy(image);
}
