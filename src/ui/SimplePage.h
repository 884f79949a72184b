#pragma once

#include "ui/DialogPage.h"

class SettingsEditor;

// "Simple Settings": the current preset's name, its two worm counts, its worm size and its three
// behaviour flags, edited in place.
class SimplePage : public DialogPage {
public:
    SimplePage(HWND owner, SettingsEditor& editor);

    // Shows the current preset.
    void Refresh();
    // Puts the focus on the name with all of it selected, so that typing replaces it.
    void SelectName();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCounts(int initial, int total);
    void OnSlider(HWND slider, int code);
    int SliderPos(int id) const;
    void SetSliderPos(int id, int pos);
    void SetSliderRange(int id, int min, int max);

    SettingsEditor& m_editor;
};
