#pragma once

#include "app/LumenkiteWnd.h"
#include "editor/PreviewControl.h"

// The dialog's preview window as the settings editors drive it.
class WndPreviewControl final : public PreviewControl {
public:
    explicit WndPreviewControl(LumenkiteWnd& wnd) : m_wnd(wnd) {}

    std::unique_lock<std::recursive_mutex> LockRender() override { return m_wnd.LockRender(); }
    void UpdateTargetWorms() override { m_wnd.UpdateTargetWorms(); }
    void ApplyCpu() override { m_wnd.ApplyCpu(); }
    void SetColormap(const Colormap& colormap) override { m_wnd.SetColormap(colormap); }
    void Pause() override { m_wnd.Pause(); }
    void Resume() override { m_wnd.Resume(); }

private:
    LumenkiteWnd& m_wnd;
};
