#include "ui/TypesPage.h"

#include "editor/TypeClicks.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "settings/Settings.h"

TypesPage::TypesPage(HWND owner, Settings& settings, LumenkiteWnd& preview)
    : DialogPage(IDD_TYPES, owner), m_settings(settings), m_preview(preview) {}

bool TypesPage::OnInitDialog() {
    DialogPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_TYPES, m_hWnd);
    return true;
}

void TypesPage::Refresh() {
    const Preset& preset = *m_settings.m_pCurrentPreset;
    ShowWindow(m_list.m_hWnd, SW_HIDE);
    m_list.Clear();
    for (int i = 0; i < WormTypeCount; ++i)
        m_list.AddType(g_aWormTypes[i].displayName, preset.m_anTypeStates[i]);
    ShowWindow(m_list.m_hWnd, SW_SHOW);
    Apply();
}

void TypesPage::Apply() {
    int states[WormTypeCount];
    bool clicked[WormTypeCount];
    for (int i = 0; i < WormTypeCount; ++i) {
        states[i] = m_list.State(i);
        clicked[i] = SendMessageA(m_list.m_hWnd, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0;
    }
    ApplyTypeClicks(states, clicked);
    // The engine reads the states as it creates and steps worms: it must see all or none.
    auto lock = m_preview.LockRender();
    Preset& preset = *m_settings.m_pCurrentPreset;
    for (int i = 0; i < WormTypeCount; ++i) {
        if (clicked[i]) {
            m_list.SetState(i, states[i]);
            SendMessageA(m_list.m_hWnd, LB_SETSEL, FALSE, i);
        }
        preset.m_anTypeStates[i] = states[i];
    }
}

void TypesPage::SetAll(int state) {
    for (int i = 0; i < WormTypeCount; ++i)
        m_list.SetState(i, state);
    Apply();
    InvalidateRect(m_list.m_hWnd, nullptr, TRUE);
}

bool TypesPage::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_TYPES && notifyCode == LBN_SELCHANGE) {
        Apply();
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
