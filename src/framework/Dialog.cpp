#include "framework/Dialog.h"

#include "framework/Window.h"

#include <algorithm>
#include <vector>

namespace {

const char* const ObjectProperty = "LumenkiteDialogObject";

// The live top-level dialogs of this user-interface thread, whose keyboard the loops serve. Child
// dialogs (tab pages) are served through their top-level parent.
std::vector<HWND>& KeyboardDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

} // namespace

Dialog::Dialog(int templateId, HWND owner) : m_nTemplateId(templateId), m_hOwner(owner) {}

Dialog::~Dialog() {
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

INT_PTR Dialog::DoModal() {
    m_bModal = true;
    m_bEnded = false;
    m_nResult = -1;
    if (!Create()) {
        m_bModal = false;
        return -1;
    }
    HWND owner = m_hOwner;
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    ShowWindow(m_hWnd, SW_SHOW);
    MSG msg;
    while (!m_bEnded && m_hWnd) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // Leave the quit for the loop outside, as the system's modal loops do.
            if (got == 0)
                PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (PreTranslateMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The owner gets the activation back only if it is enabled before the dialog goes.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    m_bModal = false;
    return m_nResult;
}

bool Dialog::Create() {
    HWND hwnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId),
                                   m_hOwner, StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd && !(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        KeyboardDialogs().push_back(hwnd);
    return hwnd != nullptr;
}

void Dialog::EndDialog(INT_PTR result) {
    if (!m_hWnd)
        return;
    if (m_bModal) {
        m_nResult = result;
        m_bEnded = true;
    } else {
        DestroyWindow(m_hWnd);
    }
}

bool Dialog::PreTranslateMessage(MSG* msg) {
    // A copy: a message may end a dialog and change the list.
    std::vector<HWND> dialogs = KeyboardDialogs();
    for (HWND dialog : dialogs)
        if (IsWindow(dialog) && IsDialogMessageA(dialog, msg))
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

bool Dialog::ReflectOwnerDraw(UINT message, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (Window* control = Window::FromHandle(item->hwndItem)) {
            control->OnDrawItem(*item);
            return true;
        }
    } else if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (Window* control = Window::FromHandle(GetDlgItem(m_hWnd, item->CtlID))) {
            control->OnMeasureItem(*item);
            return true;
        }
    }
    return false;
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
    else if ((message == WM_DRAWITEM || message == WM_MEASUREITEM) &&
             dialog->ReflectOwnerDraw(message, lParam))
        result = TRUE;
    else
        result = dialog->DialogProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, ObjectProperty);
        auto& dialogs = KeyboardDialogs();
        dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), hwnd), dialogs.end());
        dialog->m_hWnd = nullptr;
        dialog->m_bEnded = true;
    }
    return result;
}
