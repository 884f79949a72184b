#pragma once

#include <mutex>

class Colormap;

// What the settings editor asks of the live preview that draws the settings being edited. Each
// editor's preview window implements it; the editor never sees a window.
class PreviewControl {
public:
    // Holds the render thread off the settings while the editor writes what it reads; an empty
    // lock while nothing renders.
    virtual std::unique_lock<std::recursive_mutex> LockRender() = 0;
    virtual void UpdateTargetWorms() = 0;
    virtual void ApplyCpu() = 0;
    // Recolours the shown image at once from the colormap, leaving the field alone.
    virtual void SetColormap(const Colormap& colormap) = 0;
    // Stops drawing and starts again on the same image, around changes the engine reads only
    // when it is built.
    virtual void Pause() = 0;
    virtual void Resume() = 0;

protected:
    ~PreviewControl() = default;
};
