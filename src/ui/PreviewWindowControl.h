#pragma once

#include "editor/PreviewControl.h"

class LumenkiteWnd;

// The dialog's preview window as the settings editor drives it.
class PreviewWindowControl final : public PreviewControl {
public:
    // The window must outlive this object; it may be re-created meanwhile.
    explicit PreviewWindowControl(LumenkiteWnd& window) : m_window(window) {}

    std::unique_lock<std::recursive_mutex> LockRender() override;
    void UpdateTargetWorms() override;
    void ApplyCpu() override;
    void SetColormap(const Colormap& colormap) override;
    void Pause() override;
    void Resume() override;

private:
    LumenkiteWnd& m_window;
};
