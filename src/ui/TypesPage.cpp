#include "ui/TypesPage.h"

#include "editor/SettingsEditor.h"
#include "resource.h"
#include "settings/Preset.h"

TypesPage::TypesPage(HWND owner, SettingsEditor& editor)
    : DialogPage(IDD_TYPES, owner), m_editor(editor) {}

bool TypesPage::OnInitDialog() {
    m_list.SubclassDlgItem(IDC_TYPES, m_hWnd);
    return true;
}

void TypesPage::Refresh() {
    ShowWindow(m_list.m_hWnd, SW_HIDE);
    m_list.Clear();
    for (int i = 0; i < WormTypeCount; ++i)
        m_list.AddType(g_aWormTypes[i].displayName, m_editor.TypeState(i));
    ShowWindow(m_list.m_hWnd, SW_SHOW);
}

void TypesPage::OnRowsClicked() {
    bool clicked[WormTypeCount];
    for (int i = 0; i < WormTypeCount; ++i)
        clicked[i] = SendMessageA(m_list.m_hWnd, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
    m_editor.ClickTypes(clicked);
    // The selection only tells clicks: no row stays selected.
    for (int i = 0; i < WormTypeCount; ++i) {
        if (clicked[i]) {
            m_list.SetState(i, m_editor.TypeState(i));
            SendMessageA(m_list.m_hWnd, LB_SETSEL, FALSE, i);
        }
    }
}

void TypesPage::SetAll(int state) {
    m_editor.SetAllTypes(state);
    for (int i = 0; i < WormTypeCount; ++i)
        m_list.SetState(i, m_editor.TypeState(i));
    InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
}

bool TypesPage::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_TYPES && notifyCode == LBN_SELCHANGE) {
        OnRowsClicked();
        return true;
    }
    if (id == IDC_ALL && notifyCode == BN_CLICKED) {
        SetAll(TypeOn);
        return true;
    }
    if (id == IDC_NONE && notifyCode == BN_CLICKED) {
        SetAll(TypeOff);
        return true;
    }
    return DialogPage::OnCommand(id, notifyCode, control);
}
