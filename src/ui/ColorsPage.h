#pragma once

#include "ui/DialogPage.h"
#include "ui/IconButton.h"

class LumenkiteWnd;
class Settings;

// "Colors": the current preset's colormap. Showing a preset loads its colormap into the preview.
class ColorsPage : public DialogPage {
public:
    ColorsPage(HWND owner, Settings& settings, LumenkiteWnd& preview);

    void Refresh();

protected:
    bool OnInitDialog() override;

private:
    Settings& m_settings;
    LumenkiteWnd& m_preview;
    IconButton m_options;
};
