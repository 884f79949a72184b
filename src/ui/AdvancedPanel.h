#pragma once

#include "ui/DialogPage.h"

#include <string>

class LumenkiteWnd;
class Settings;

// The side panel of the configuration dialog for the settings outside the presets: the preset
// cycle's delay and spread, the processor share, the smoothing and pixel modes; it also shows the
// preview's frame rate.
class AdvancedPanel : public DialogPage {
public:
    AdvancedPanel(HWND owner, Settings& settings, LumenkiteWnd& preview);

    void ShowFrameRate(unsigned frames);
    // The two delay fields as typed, read by the dialog at OK.
    std::string DelayText() const;
    std::string RangeText() const;

protected:
    bool OnInitDialog() override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape do nothing here: the panel is not the dialog.
    void OnOK() override {}
    void OnCancel() override {}
    void OnFlagChanged(int id) override;

private:
    void ShowSpeed();
    std::string ItemText(int id) const;

    Settings& m_settings;
    LumenkiteWnd& m_preview;
    // Double pixels changes the engine's resolution, so it only reaches the settings while the
    // preview is paused.
    bool m_bDoublePixels;
};
