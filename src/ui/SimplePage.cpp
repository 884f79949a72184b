#include "ui/SimplePage.h"

#include "editor/WormCounts.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "settings/Settings.h"
#include "ui/UserMessages.h"

#include <commctrl.h>

#include <string>

SimplePage::SimplePage(HWND owner, Settings& settings, LumenkiteWnd& preview)
    : DialogPage(IDD_SIMPLE, owner), m_settings(settings), m_preview(preview) {
    Bind(nullptr, IDC_SPAWN);
    Bind(nullptr, IDC_RECYCLE);
    Bind(nullptr, IDC_START_CENTER);
}

bool SimplePage::OnInitDialog() {
    DialogPage::OnInitDialog();
    SendDlgItemMessageA(m_hWnd, IDC_WORM_SIZE, TBM_SETTICFREQ, 1, 0);
    SendDlgItemMessageA(m_hWnd, IDC_WORM_SIZE, TBM_SETRANGE, TRUE, MAKELONG(0, 3));
    SendDlgItemMessageA(m_hWnd, IDC_INITIAL, TBM_SETRANGE, TRUE, MAKELONG(1, 500));
    SendDlgItemMessageA(m_hWnd, IDC_TOTAL, TBM_SETRANGE, TRUE, MAKELONG(1, 500));
    return true;
}

void SimplePage::Refresh() {
    Preset& preset = *m_settings.m_pCurrentPreset;
    SetSliderPos(IDC_WORM_SIZE, preset.WormSize);
    {
        // The trackbar clamps a stored size outside its range; the preset takes the clamped one.
        auto lock = m_preview.LockRender();
        preset.WormSize = SliderPos(IDC_WORM_SIZE);
    }
    Bind(&preset.Spawn, IDC_SPAWN);
    Bind(&preset.Recycle, IDC_RECYCLE);
    Bind(&preset.StartInCenter, IDC_START_CENTER);
    SetSliderPos(IDC_TOTAL, preset.Worms);
    SetSliderPos(IDC_INITIAL, preset.InitialWorms);
    SyncValueBoxes();
    SetDlgItemTextA(m_hWnd, IDC_NAME, preset.Name.c_str());
}

void SimplePage::SelectName() {
    HWND name = GetItem(IDC_NAME);
    SetFocus(name);
    SendMessageA(name, EM_SETSEL, 0, -1);
    SendMessageA(name, EM_SCROLLCARET, 0, 0);
}

void SimplePage::SyncValueBoxes() {
    WormCounts counts = PushCounts(SliderPos(IDC_INITIAL), SliderPos(IDC_TOTAL),
                                   GetFocus() == GetItem(IDC_INITIAL));
    if (counts.total != SliderPos(IDC_TOTAL))
        SetSliderPos(IDC_TOTAL, counts.total);
    if (counts.initial != SliderPos(IDC_INITIAL))
        SetSliderPos(IDC_INITIAL, counts.initial);
    SetDlgItemTextA(m_hWnd, IDC_TOTAL_VALUE, std::to_string(counts.total).c_str());
    SetDlgItemTextA(m_hWnd, IDC_INITIAL_VALUE, std::to_string(counts.initial).c_str());
}

void SimplePage::OnSlider(HWND slider, int code) {
    Preset& preset = *m_settings.m_pCurrentPreset;
    if (slider == GetItem(IDC_TOTAL) || slider == GetItem(IDC_INITIAL)) {
        if (code != TB_ENDTRACK) {
            SyncValueBoxes();
            return;
        }
        preset.Worms = SliderPos(IDC_TOTAL);
        preset.InitialWorms = SliderPos(IDC_INITIAL);
        m_preview.UpdateTargetWorms();
    } else if (slider == GetItem(IDC_WORM_SIZE) && code == TB_ENDTRACK) {
        preset.WormSize = SliderPos(IDC_WORM_SIZE);
    }
}

bool SimplePage::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_NAME && notifyCode == EN_CHANGE) {
        int length = GetWindowTextLengthA(control);
        std::string name(static_cast<size_t>(length) + 1, '\0');
        GetWindowTextA(control, name.data(), length + 1);
        name.resize(static_cast<size_t>(length));
        m_settings.m_pCurrentPreset->Name = name;
        PostMessageA(GetParent(m_hWnd), UM_CHANGED, 0, 0);
        return true;
    }
    return DialogPage::OnCommand(id, notifyCode, control);
}

INT_PTR SimplePage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HSCROLL && lParam)
        OnSlider(reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    return DialogPage::DialogProc(message, wParam, lParam);
}

int SimplePage::SliderPos(int id) const {
    return static_cast<int>(SendDlgItemMessageA(m_hWnd, id, TBM_GETPOS, 0, 0));
}

void SimplePage::SetSliderPos(int id, int pos) {
    SendDlgItemMessageA(m_hWnd, id, TBM_SETPOS, TRUE, pos);
}
