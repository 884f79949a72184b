#include "ui/PreviewWindowControl.h"

#include "app/LumenkiteWnd.h"

std::unique_lock<std::recursive_mutex> PreviewWindowControl::LockRender() {
    return m_window.LockRender();
}

void PreviewWindowControl::UpdateTargetWorms() {
    m_window.UpdateTargetWorms();
}

void PreviewWindowControl::ApplyCpu() {
    m_window.ApplyCpu();
}

void PreviewWindowControl::SetColormap(const Colormap& colormap) {
    m_window.SetColormap(colormap);
}

void PreviewWindowControl::Pause() {
    m_window.Pause();
}

void PreviewWindowControl::Resume() {
    m_window.Resume();
}
