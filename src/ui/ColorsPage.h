#pragma once

#include "ui/ColorBox.h"
#include "ui/ColorPicker.h"
#include "ui/ColormapCombo.h"
#include "ui/ColormapEditor.h"
#include "ui/ColormapStrip.h"
#include "ui/DialogPage.h"
#include "ui/IconButton.h"
#include "ui/StripCache.h"

#include <memory>

class Colormap;
class LumenkiteWnd;
class Settings;

// "Colors": the current preset's colormap, the library's New, Duplicate, Rename and Delete, and
// the controls that edit the colormap stop by stop. Each control reports an edit with UM_CHANGED;
// the page then brings the others, the strips and the live preview up to date.
class ColorsPage : public DialogPage {
public:
    // What changed, in UM_CHANGED's wParam.
    enum Change {
        ColorPicked = 0,
        PresetShown = 1,
        StopSelected = 2,
        StopDragged = 3,
        ColormapChosen = 4,
    };

    ColorsPage(HWND owner, Settings& settings, LumenkiteWnd& preview);
    ~ColorsPage() override;

    // After a preset was selected or created.
    void Refresh();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Update(int change, LPARAM value);
    void OnColormapChosen();
    void ShowOptions();
    void OnNewColormap(std::unique_ptr<Colormap> colormap, const char* title);
    void OnRename();
    void OnDelete();
    void OnPickerMode();
    HWND Root() const;

    Settings& m_settings;
    LumenkiteWnd& m_preview;
    StripCache m_strips;
    IconButton m_options;
    ColormapCombo m_combo;
    ColormapStrip m_strip;
    ColormapEditor m_editor;
    ColorBox m_colorBox;
    ColorPicker m_picker;
    Colormap* m_pShown = nullptr;
    HMENU m_hMenu = nullptr;
};
