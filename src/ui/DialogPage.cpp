#include "ui/DialogPage.h"

DialogPage::DialogPage(int templateId, HWND owner) : Dialog(templateId, owner) {}

void DialogPage::Bind(bool* flag, int id) {
    if (Binding* binding = FindBinding(id)) {
        binding->flag = flag;
        if (flag)
            ShowFlag(*binding);
        return;
    }
    // Until the page exists the checkbox is attached and set by OnInitDialog.
    m_bindings.push_front({flag, m_hWnd ? GetItem(id) : nullptr, id});
    if (m_hWnd && flag)
        ShowFlag(m_bindings.front());
}

bool DialogPage::OnInitDialog() {
    for (Binding& binding : m_bindings) {
        binding.checkbox = GetItem(binding.id);
        if (binding.flag)
            ShowFlag(binding);
    }
    return true;
}

bool DialogPage::OnCommand(int id, int notifyCode, HWND control) {
    Binding* binding = FindBinding(id);
    if (!binding || !binding->flag)
        return Dialog::OnCommand(id, notifyCode, control);
    bool checked = SendMessageA(binding->checkbox, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (checked != *binding->flag) {
        *binding->flag = checked;
        OnFlagChanged(id);
    }
    return true;
}

void DialogPage::OnOK() {
    PostMessageA(GetParent(m_hWnd), WM_COMMAND, IDOK, 0);
}

void DialogPage::OnCancel() {
    PostMessageA(GetParent(m_hWnd), WM_COMMAND, IDCANCEL, 0);
}

void DialogPage::OnFlagChanged(int) {}

DialogPage::Binding* DialogPage::FindBinding(int id) {
    for (Binding& binding : m_bindings)
        if (binding.id == id)
            return &binding;
    return nullptr;
}

void DialogPage::ShowFlag(const Binding& binding) {
    SendMessageA(binding.checkbox, BM_SETCHECK, *binding.flag ? BST_CHECKED : BST_UNCHECKED, 0);
}
