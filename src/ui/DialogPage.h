#pragma once

#include "framework/Dialog.h"

// A dialog of the configuration window (a tab page or the Advanced panel) whose Enter and Escape
// act on the dialog that holds it.
class DialogPage : public Dialog {
public:
    DialogPage(int templateId, HWND owner);

protected:
    void OnOK() override;
    void OnCancel() override;
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
};
