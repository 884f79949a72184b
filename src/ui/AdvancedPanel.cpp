#include "ui/AdvancedPanel.h"

#include "editor/SettingsEditor.h"
#include "resource.h"
#include "settings/Settings.h"

#include <commctrl.h>

#include <string>

AdvancedPanel::AdvancedPanel(HWND owner, SettingsEditor& editor)
    : DialogPage(IDD_ADVANCED, owner), m_editor(editor) {}

bool AdvancedPanel::OnInitDialog() {
    const Settings& settings = m_editor.GetSettings();
    SetChecked(IDC_FAST, settings.FastSmoothing);
    SetChecked(IDC_DOUBLE, settings.DoublePixels);
    SetChecked(IDC_ALL_MONITORS, settings.AllMonitors);
    SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_SETRANGEMIN, FALSE, SettingsEditor::CpuRange.min);
    SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_SETRANGEMAX, TRUE, SettingsEditor::CpuRange.max);
    SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_SETPOS, TRUE, settings.CPU);
    ShowSpeed();
    SetDlgItemTextA(m_hWnd, IDC_DELAY, m_editor.DelayText().c_str());
    SetDlgItemTextA(m_hWnd, IDC_RANGE, m_editor.RangeText().c_str());
    return true;
}

void AdvancedPanel::ShowSpeed() {
    SetDlgItemTextA(m_hWnd, IDC_SPEED_VALUE, m_editor.CpuText().c_str());
}

int AdvancedPanel::SpeedPos() const {
    return static_cast<int>(SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_GETPOS, 0, 0));
}

void AdvancedPanel::ShowFrameRate(unsigned frames) {
    SetDlgItemTextA(m_hWnd, IDC_FPS, std::to_string(frames).c_str());
}

std::string AdvancedPanel::DelayText() const {
    return ItemText(IDC_DELAY);
}

std::string AdvancedPanel::RangeText() const {
    return ItemText(IDC_RANGE);
}

std::string AdvancedPanel::ItemText(int id) const {
    char text[64] = "";
    GetDlgItemTextA(m_hWnd, id, text, sizeof text);
    return text;
}

bool AdvancedPanel::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_FAST && notifyCode == BN_CLICKED) {
        m_editor.SetFastSmoothing(IsChecked(IDC_FAST));
        return true;
    }
    if (id == IDC_DOUBLE && notifyCode == BN_CLICKED) {
        m_editor.SetDoublePixels(IsChecked(IDC_DOUBLE));
        return true;
    }
    if (id == IDC_ALL_MONITORS && notifyCode == BN_CLICKED) {
        m_editor.SetAllMonitors(IsChecked(IDC_ALL_MONITORS));
        return true;
    }
    return DialogPage::OnCommand(id, notifyCode, control);
}

INT_PTR AdvancedPanel::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == GetItem(IDC_SPEED)) {
        if (LOWORD(wParam) == TB_ENDTRACK)
            m_editor.SetCpu(SpeedPos());
        else
            m_editor.MoveCpu(SpeedPos());
        ShowSpeed();
    }
    return DialogPage::DialogProc(message, wParam, lParam);
}
