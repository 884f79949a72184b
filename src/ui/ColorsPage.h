#pragma once

#include "ui/ColorBox.h"
#include "ui/ColorPicker.h"
#include "ui/ColormapCombo.h"
#include "ui/ColormapEditor.h"
#include "ui/ColormapStrip.h"
#include "ui/DialogPage.h"
#include "ui/IconButton.h"
#include "ui/StripCache.h"

class Colormap;
class ColorsEditor;
struct ColorsUpdate;

// "Colors": the current preset's colormap, the library's New, Duplicate, Rename and Delete, and
// the controls that edit the colormap stop by stop. Every edit is a call on the colours editor;
// the page then brings the strips and the controls up to date as the editor's answer says.
class ColorsPage : public DialogPage {
public:
    ColorsPage(HWND owner, ColorsEditor& colors);
    ~ColorsPage() override;

    // After a preset was selected or created.
    void Refresh();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Show(const ColorsUpdate& update);
    // The library's names and strips, the preset's colormap selected.
    void FillChoice();
    void ShowOptions();
    void OnNewColormap(Colormap* pending, const char* title);
    void OnRename();
    void OnDelete();
    HWND Root() const;

    ColorsEditor& m_colors;
    StripCache m_strips;
    IconButton m_options;
    ColormapCombo m_combo;
    ColormapStrip m_strip;
    ColormapEditor m_editor;
    ColorBox m_colorBox;
    ColorPicker m_picker;
    HMENU m_hMenu = nullptr;
};
