#pragma once

#include "engine/FrameTarget.h"
#include "framework/Window.h"
#include "support/Rect.h"

#include <cstdint>
#include <memory>
#include <mutex>

class Colormap;
class RenderListener;
class RenderThread;
class Settings;

// The window the animation is shown in: the full-screen saver, the control-panel preview and the
// configuration dialog's previews. It owns the 8-bit image, its drawing contexts and the render
// thread that draws into the image and presents it here.
class LumenkiteWnd : public Window, public FrameTarget {
public:
    LumenkiteWnd(Settings* settings, bool isSaver, RenderListener* listener);
    ~LumenkiteWnd() override;

    virtual void Start(const Rect& rect, bool restrictParticles, double areaRatio, bool cycle);
    virtual void Stop();
    virtual void Pause();
    virtual void Resume();
    virtual void Restart();

    void UpdateTargetWorms();
    void ApplyCpu();
    void SetFullScreenPacing(bool on);
    // Holds the render thread off the settings while the caller edits what it reads; an empty
    // lock while there is no render thread.
    std::unique_lock<std::recursive_mutex> LockRender();
    // Recolours the shown image at once from the colormap, leaving the field alone.
    void SetColormap(const Colormap& colormap);
    // Makes the image for width x height pixels and returns its pitch.
    int CreateImage(int width, int height);

    // FrameTarget, called by the render thread with its lock held.
    void LoadPalette(const PaletteEntry palette[256]) override;
    void Present(int left, int top, int width, int height) override;

    std::unique_ptr<RenderThread> m_pRenderThread;
    Settings* m_pSettings;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    int m_nPitch = 0;
    uint8_t* m_pImage = nullptr;
    bool m_bNotifyActivate = false;
    RenderListener* m_pListener;
    HBITMAP m_hImage = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    HDC m_hdcImage = nullptr;
    HDC m_hdcWindow = nullptr;
    Rect m_rcDraw;
    POINT m_ptFirstMouse = {-1, -1};
    bool m_bIsSaver;
    bool m_bRestrictParticles = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool IsRendering() const;
    void EndSaver(const char* reason);
};
