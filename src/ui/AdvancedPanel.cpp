#include "ui/AdvancedPanel.h"

#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "settings/Settings.h"

#include <commctrl.h>

#include <string>

AdvancedPanel::AdvancedPanel(HWND owner, Settings& settings, LumenkiteWnd& preview)
    : DialogPage(IDD_ADVANCED, owner), m_settings(settings), m_preview(preview),
      m_bDoublePixels(settings.DoublePixels) {
    Bind(&m_bDoublePixels, IDC_DOUBLE);
    Bind(&m_settings.FastSmoothing, IDC_FAST);
}

bool AdvancedPanel::OnInitDialog() {
    DialogPage::OnInitDialog();
    SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_SETRANGEMIN, FALSE, 10);
    SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_SETRANGEMAX, TRUE, 100);
    SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_SETPOS, TRUE, m_settings.CPU);
    ShowSpeed();
    SetDlgItemTextA(m_hWnd, IDC_DELAY,
                    std::to_string(static_cast<unsigned>(m_settings.Delay)).c_str());
    SetDlgItemTextA(m_hWnd, IDC_RANGE,
                    std::to_string(static_cast<unsigned>(m_settings.DelayRange)).c_str());
    return true;
}

void AdvancedPanel::ShowSpeed() {
    int cpu;
    {
        auto lock = m_preview.LockRender();
        m_settings.CPU = static_cast<int>(SendDlgItemMessageA(m_hWnd, IDC_SPEED, TBM_GETPOS, 0, 0));
        cpu = m_settings.CPU;
    }
    SetDlgItemTextA(m_hWnd, IDC_SPEED_VALUE, (std::to_string(cpu) + "%").c_str());
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

INT_PTR AdvancedPanel::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(lParam) == GetItem(IDC_SPEED)) {
        if (LOWORD(wParam) == TB_ENDTRACK)
            m_preview.ApplyCpu();
        else
            ShowSpeed();
    }
    return DialogPage::DialogProc(message, wParam, lParam);
}

void AdvancedPanel::OnFlagChanged(int id) {
    if (id != IDC_DOUBLE)
        return;
    m_preview.Pause();
    m_settings.DoublePixels = m_bDoublePixels;
    m_preview.Resume();
}
