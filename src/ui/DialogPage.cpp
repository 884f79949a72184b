#include "ui/DialogPage.h"

DialogPage::DialogPage(int templateId, HWND owner) : Dialog(templateId, owner) {}

void DialogPage::OnOK() {
    PostMessageA(GetParent(m_hWnd), WM_COMMAND, IDOK, 0);
}

void DialogPage::OnCancel() {
    PostMessageA(GetParent(m_hWnd), WM_COMMAND, IDCANCEL, 0);
}

bool DialogPage::IsChecked(int id) const {
    return SendMessageA(GetItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogPage::SetChecked(int id, bool checked) {
    SendMessageA(GetItem(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
