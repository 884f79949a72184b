#pragma once

#include "editor/PreviewControl.h"
#include "engine/FrameTarget.h"
#include "engine/PaletteExpander.h"
#include "engine/RenderListener.h"
#include "engine/RenderThread.h"
#include "linux/FrameExchange.h"

#include <gtk/gtk.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class Settings;

// The editor's live preview: one render thread drawing either into the small drawing area (few
// particles, no cycling, paced as if the whole screen were drawn) or into a full-screen window
// that any key or click closes. Frames cross to the main thread through a FrameExchange.
class Preview final : public PreviewControl, public FrameTarget, public RenderListener {
public:
    // onFrameRate runs on the main thread about once a second with the frames drawn.
    Preview(Settings& settings, std::function<void(int)> onFrameRate);
    ~Preview();
    Preview(const Preview&) = delete;
    Preview& operator=(const Preview&) = delete;

    GtkWidget* Widget() const { return m_pArea; }
    void EnterFullScreen(GtkWindow* parent);
    void LeaveFullScreen();
    GtkWindow* FullScreenWindow() const { return m_pFullWindow; }
    // Frames that reached the screen: for the screenshot mode, which waits for a picture.
    int FramesShown() const { return m_nFramesShown; }

    // Holds the render thread off the settings while the caller edits what it reads.
    std::unique_lock<std::recursive_mutex> LockRender() override;
    void UpdateTargetWorms() override;
    void ApplyCpu() override;
    // Recolours the shown image at once from the colormap.
    void SetColormap(const Colormap& colormap) override;
    // Stops drawing and starts again on the same image: around changes the engine reads only
    // when it is built (double pixels), and for "Restart preview".
    void Pause() override;
    void Resume() override;

    // FrameTarget, on the render worker with its lock held.
    void LoadPalette(const PaletteEntry palette[256]) override;
    void Present(int left, int top, int width, int height) override;
    // RenderListener.
    void OnFrameRate(int frames) override;
    void OnActivate() override {}

private:
    void StartOn(GtkWidget* area, bool small);
    // Draws only while the area is mapped and its window not minimized.
    void FollowShown();
    void WatchWindowState(GtkWidget* area);
    void StopRendering();
    static void Draw(GtkDrawingArea* area, cairo_t* cr, int width, int height, gpointer self);

    std::function<void(int)> m_onFrameRate;
    RenderThread m_renderer;
    // Cairo's RGB24 pixels, m_rcDraw's size.
    FrameExchange<std::vector<uint32_t>> m_exchange;
    std::vector<uint8_t> m_aImage;
    PaletteExpander m_expander;
    Rect m_rcDraw;
    bool m_bSmall = true;
    bool m_bRendering = false;
    int m_nFramesShown = 0;
    GtkWidget* m_pArea;
    gulong m_aHandlers[4] = {};
    // The minimized state of the surface the area is on, while it is mapped.
    GdkSurface* m_pWatchedSurface = nullptr;
    gulong m_nStateHandler = 0;
    GtkWidget* m_pShowing = nullptr;
    GtkWindow* m_pFullWindow = nullptr;
    // Shared with callbacks queued from the worker, which may run after this object is gone.
    std::shared_ptr<Preview*> m_pAlive;
};
