#pragma once

#include "ui/DialogPage.h"
#include "ui/TypeListBox.h"

class LumenkiteWnd;
class Settings;

// "Types": each behaviour of the current preset on, off or kept at exactly one; a click on a
// behaviour advances its state.
class TypesPage : public DialogPage {
public:
    TypesPage(HWND owner, Settings& settings, LumenkiteWnd& preview);

    void Refresh();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;

private:
    // Advances every clicked row and writes all the states into the preset.
    void Apply();
    void SetAll(int state);

    Settings& m_settings;
    LumenkiteWnd& m_preview;
    TypeListBox m_list;
};
