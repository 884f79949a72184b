#pragma once

#include "ui/DialogPage.h"

#include <string>

class SettingsEditor;

// The side panel of the configuration dialog for the settings outside the presets: the preset
// cycle's delay and spread, the processor share, the smoothing and pixel modes; it also shows the
// preview's frame rate.
class AdvancedPanel : public DialogPage {
public:
    AdvancedPanel(HWND owner, SettingsEditor& editor);

    void ShowFrameRate(unsigned frames);
    // The two delay fields as typed, read by the dialog at OK.
    std::string DelayText() const;
    std::string RangeText() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter and Escape do nothing here: the panel is not the dialog.
    void OnOK() override {}
    void OnCancel() override {}

private:
    void ShowSpeed();
    int SpeedPos() const;
    std::string ItemText(int id) const;

    SettingsEditor& m_editor;
};
