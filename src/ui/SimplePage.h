#pragma once

#include "ui/DialogPage.h"

class LumenkiteWnd;
class Settings;

// "Simple Settings": the current preset's name, its two worm counts, its worm size and its three
// behaviour flags, edited in place.
class SimplePage : public DialogPage {
public:
    SimplePage(HWND owner, Settings& settings, LumenkiteWnd& preview);

    // Shows the current preset.
    void Refresh();
    // Puts the focus on the name with all of it selected, so that typing replaces it.
    void SelectName();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SyncValueBoxes();
    void OnSlider(HWND slider, int code);
    int SliderPos(int id) const;
    void SetSliderPos(int id, int pos);

    Settings& m_settings;
    LumenkiteWnd& m_preview;
};
