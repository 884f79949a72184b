#pragma once

#include "ui/DialogPage.h"
#include "ui/TypeListBox.h"

class SettingsEditor;

// "Types": each behaviour of the current preset on, off or kept at exactly one; a click on a
// behaviour advances its state.
class TypesPage : public DialogPage {
public:
    TypesPage(HWND owner, SettingsEditor& editor);

    void Refresh();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;

private:
    // Hands the clicked rows to the editor and shows the states it leaves.
    void OnRowsClicked();
    void SetAll(int state);

    SettingsEditor& m_editor;
    TypeListBox m_list;
};
