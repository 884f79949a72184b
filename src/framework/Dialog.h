#pragma once

#include <windows.h>

// A dialog made from a template resource of the program, modal or modeless, whose messages go to
// a C++ object. OK and Cancel end it with their identifiers unless a subclass says otherwise.
// Owner drawing of its controls is handed to the controls' own objects (Window::OnDrawItem).
class Dialog {
public:
    Dialog(int templateId, HWND owner);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog in a loop of its own, which also serves the keyboard of the modeless dialogs
    // it opens; returns the EndDialog result, or -1 when it could not be made.
    INT_PTR DoModal();
    // Makes the dialog and returns at once; the thread's message loop serves it.
    bool Create();
    // Ends a modal dialog with the result, or destroys a modeless one.
    void EndDialog(INT_PTR result);
    HWND GetItem(int id) const { return GetDlgItem(m_hWnd, id); }

    // Lets the thread's top-level dialogs handle their keyboard navigation; true when the message
    // was used.
    static bool PreTranslateMessage(MSG* msg);

    HWND m_hWnd = nullptr;

protected:
    // Returns true to let the system set the focus.
    virtual bool OnInitDialog() { return true; }
    // Returns true when the command was handled.
    virtual bool OnCommand(int id, int notifyCode, HWND control);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Everything else; returns the dialog procedure's result (FALSE for the default handling).
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);

    int m_nTemplateId;
    HWND m_hOwner;

private:
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectOwnerDraw(UINT message, LPARAM lParam);

    bool m_bModal = false;
    bool m_bEnded = false;
    INT_PTR m_nResult = -1;
};
