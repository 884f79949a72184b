#pragma once

#include "editor/PreviewControl.h"
#include "engine/FrameTarget.h"
#include "framework/Window.h"
#include "framework/WindowVisibility.h"
#include "saver/Monitor.h"
#include "saver/MonitorImage.h"
#include "saver/MonitorSet.h"
#include "support/Rect.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Colormap;
class RenderListener;
class RenderThread;
class Settings;
struct RenderStart;

// The window the animation is shown in: the full-screen saver, the control-panel preview and the
// configuration dialog's previews. It owns the images, its drawing contexts and the render thread
// that draws into the images and presents them here: one image for a preview, one per monitor for
// the saver, which follows monitors that come, go, move or change size. Frames come no faster
// than the monitor showing them refreshes, and none while nothing of the window can be seen.
class LumenkiteWnd : public Window, public FrameTarget, public PreviewControl {
public:
    LumenkiteWnd(Settings* settings, bool isSaver, RenderListener* listener);
    ~LumenkiteWnd() override;

    // Makes the window top-most over the whole desktop `full` in the class and starts it: the
    // saver on every monitor or on the primary alone as the settings say, a preview on the
    // primary. False when the window could not be made.
    bool CreateFullScreen(const std::string& className, const char* title, const Rect& full,
                          bool cycle);
    // Makes the window a child filling the parent's client area and starts it as a small preview
    // of the desktop. False when the parent is no window or the child could not be made.
    bool CreatePreview(HWND parent, bool cycle);

    virtual void Start(const Rect& rect, bool restrictParticles, double areaRatio, bool cycle);
    virtual void Stop();
    void Pause() override;
    void Resume() override;
    virtual void Restart();

    void UpdateTargetWorms() override;
    void ApplyCpu() override;
    // Holds the render thread off the settings while the caller edits what it reads; an empty
    // lock while there is no render thread.
    std::unique_lock<std::recursive_mutex> LockRender() override;
    // Recolours the shown image at once from the colormap, leaving the field alone.
    void SetColormap(const Colormap& colormap) override;
    // Follows the saver's desk to `desk`: covers its virtual screen, keeps the engines of monitors
    // whose device and size stay, starts new ones, and takes the next pointer position as the
    // first. False, doing nothing, when the desk is the one shown or the window follows none.
    bool FollowMonitors(const std::vector<Monitor>& desk);
    // Whether activating the window tells the listener: for a full-screen preview that hands the
    // user back to its dialog.
    void SetNotifyActivate(bool on) { m_bNotifyActivate = on; }
    bool NotifiesActivate() const { return m_bNotifyActivate; }

    // What the window shows, for the tests; read the images and counts under LockRender.
    const RenderThread* Renderer() const { return m_pRenderThread.get(); }
    int ImageWidth() const { return m_nImageWidth; }
    int ImageHeight() const { return m_nImageHeight; }
    // The 8-bit image the engine draws into, Pitch bytes a row, bottom row first.
    int Pitch() const { return m_nPitch; }
    const uint8_t* Image() const { return ImageBits(); }
    // The 32-bit frame a preview copies to the window, and the colours it is expanded with.
    HBITMAP ImageBitmap() const { return m_pImage ? m_pImage->Bitmap() : nullptr; }
    HDC ImageDc() const { return m_pImage ? m_pImage->Dc() : nullptr; }
    const PaletteExpander* Colours() const { return m_pImage ? &m_pImage->Colours() : nullptr; }
    // Frames presented since the render started, on every monitor.
    int Presents() const;
    // The saver's images, one per animated monitor.
    const MonitorSet& Monitors() const { return m_monitors; }
    HDC WindowDc() const { return m_hdcWindow; }
    const Rect& DrawRect() const { return m_rcDraw; }
    POINT FirstMouse() const { return m_ptFirstMouse; }
    bool IsSaver() const { return m_bIsSaver; }

    // FrameTarget, called by the render thread with its lock held.
    void LoadPalette(const PaletteEntry palette[256]) override;
    void Present(int left, int top, int width, int height) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    uint8_t* ImageBits() const { return m_pImage ? m_pImage->Bits() : nullptr; }
    void MakeRenderThread();
    void StartRender(const RenderStart& start);
    void StartDesk(const Rect& screen, bool cycle);
    bool IsRendering() const;
    void EndSaver(const char* reason);
    void OnPointerMoved();
    // Lets the render draw exactly while something of the window can be seen.
    void FollowVisibility();
    // Paces a single-view render by the monitor showing its draw area: when that monitor changed,
    // or always when `reread`.
    void FollowRefreshRate(bool reread);

    std::unique_ptr<RenderThread> m_pRenderThread;
    Settings* m_pSettings;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    int m_nPitch = 0;
    bool m_bNotifyActivate = false;
    RenderListener* m_pListener;
    // A preview's single image.
    std::unique_ptr<MonitorImage> m_pImage;
    MonitorSet m_monitors;
    // The saver's desk as last followed, and the virtual screen it covers.
    std::vector<Monitor> m_aDesk;
    Rect m_rcScreen;
    bool m_bFollowsDesk = false;
    // A pointer move is waiting to end the saver unless the desk changes first.
    bool m_bMoveHeld = false;
    HDC m_hdcWindow = nullptr;
    Rect m_rcDraw;
    POINT m_ptFirstMouse = {-1, -1};
    WindowVisibility m_visibility;
    // The monitor a single-view render is paced by, and its rate as last read.
    HMONITOR m_hMonitor = nullptr;
    double m_dRefreshHz = -1.0;
    bool m_bIsSaver;
    bool m_bRestrictParticles = false;
};
