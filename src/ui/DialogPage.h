#pragma once

#include "framework/Dialog.h"

#include <forward_list>

// A dialog of the configuration window (a tab page or the Advanced panel) whose checkboxes edit
// bool variables directly, and whose Enter and Escape act on the dialog that holds it.
class DialogPage : public Dialog {
public:
    DialogPage(int templateId, HWND owner);

    // Makes the checkbox `id` edit `flag` (which may be null until a preset is known); binding an
    // id again replaces its flag and shows the new flag's state at once.
    void Bind(bool* flag, int id);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int notifyCode, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    // After a bound flag took the state of its checkbox.
    virtual void OnFlagChanged(int id);

private:
    struct Binding {
        bool* flag;
        HWND checkbox;
        int id;
    };
    Binding* FindBinding(int id);
    static void ShowFlag(const Binding& binding);

    std::forward_list<Binding> m_bindings;
};
