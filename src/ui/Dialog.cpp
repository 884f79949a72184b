#include "ui/Dialog.h"

#include <algorithm>
#include <vector>

namespace {

const char* const ObjectProperty = "LumenkiteDialogObject";

// The live modeless dialogs of this user-interface thread.
std::vector<HWND>& ModelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

} // namespace

Dialog::Dialog(int templateId, HWND owner) : m_nTemplateId(templateId), m_hOwner(owner) {}

Dialog::~Dialog() {
    if (m_hWnd && !m_bModal)
        DestroyWindow(m_hWnd);
}

INT_PTR Dialog::DoModal() {
    m_bModal = true;
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), m_hOwner,
                           StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

bool Dialog::Create() {
    m_bModal = false;
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId),
                                   m_hOwner, StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd)
        ModelessDialogs().push_back(hwnd);
    return hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, result);
    else
        DestroyWindow(m_hWnd);
}

bool Dialog::PreTranslateMessage(MSG* msg) {
    for (HWND dialog : ModelessDialogs())
        if (IsDialogMessageA(dialog, msg))
            return true;
    return false;
}

bool Dialog::OnCommand(int id, int, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR Dialog::DialogProc(UINT, WPARAM, LPARAM) {
    return FALSE;
}

INT_PTR CALLBACK Dialog::StaticDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* dialog = static_cast<Dialog*>(GetPropA(hwnd, ObjectProperty));
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        dialog->m_hWnd = hwnd;
        SetPropA(hwnd, ObjectProperty, dialog);
        return dialog->OnInitDialog() ? TRUE : FALSE;
    }
    if (!dialog)
        return FALSE;
    INT_PTR result = FALSE;
    if (message == WM_COMMAND)
        result = dialog->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))
                     ? TRUE
                     : dialog->DialogProc(message, wParam, lParam);
    else
        result = dialog->DialogProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, ObjectProperty);
        auto& dialogs = ModelessDialogs();
        dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), hwnd), dialogs.end());
        dialog->m_hWnd = nullptr;
    }
    return result;
}
