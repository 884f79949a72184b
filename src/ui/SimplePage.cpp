#include "ui/SimplePage.h"

#include "editor/SettingsEditor.h"
#include "resource.h"
#include "settings/Preset.h"
#include "ui/UserMessages.h"

#include <commctrl.h>

#include <string>

namespace {

struct FlagBox {
    int id;
    PresetFlag flag;
};

constexpr FlagBox FlagBoxes[] = {{IDC_SPAWN, PresetFlag::Spawn},
                                 {IDC_RECYCLE, PresetFlag::Recycle},
                                 {IDC_START_CENTER, PresetFlag::StartInCenter}};

} // namespace

SimplePage::SimplePage(HWND owner, SettingsEditor& editor)
    : DialogPage(IDD_SIMPLE, owner), m_editor(editor) {}

bool SimplePage::OnInitDialog() {
    SendDlgItemMessageA(m_hWnd, IDC_WORM_SIZE, TBM_SETTICFREQ, 1, 0);
    SetSliderRange(IDC_WORM_SIZE, SettingsEditor::WormSizeRange.min,
                   SettingsEditor::WormSizeRange.max);
    for (int id : {IDC_INITIAL, IDC_TOTAL})
        SetSliderRange(id, SettingsEditor::WormCountRange.min, SettingsEditor::WormCountRange.max);
    return true;
}

void SimplePage::Refresh() {
    const Preset& preset = m_editor.CurrentPreset();
    SetSliderPos(IDC_WORM_SIZE, preset.WormSize);
    for (const FlagBox& box : FlagBoxes)
        SetChecked(box.id, m_editor.Flag(box.flag));
    WormCounts counts = m_editor.ShownCounts();
    ShowCounts(counts.initial, counts.total);
    SetDlgItemTextA(m_hWnd, IDC_NAME, preset.Name.c_str());
}

void SimplePage::SelectName() {
    HWND name = GetItem(IDC_NAME);
    SetFocus(name);
    SendMessageA(name, EM_SETSEL, 0, -1);
    SendMessageA(name, EM_SCROLLCARET, 0, 0);
}

void SimplePage::ShowCounts(int initial, int total) {
    SetSliderPos(IDC_TOTAL, total);
    SetSliderPos(IDC_INITIAL, initial);
    SetDlgItemTextA(m_hWnd, IDC_TOTAL_VALUE, std::to_string(total).c_str());
    SetDlgItemTextA(m_hWnd, IDC_INITIAL_VALUE, std::to_string(initial).c_str());
}

void SimplePage::OnSlider(HWND slider, int code) {
    if (slider == GetItem(IDC_TOTAL) || slider == GetItem(IDC_INITIAL)) {
        // The focused slider is the one being dragged.
        bool initialMoved = GetFocus() == GetItem(IDC_INITIAL);
        int initial = SliderPos(IDC_INITIAL);
        int total = SliderPos(IDC_TOTAL);
        if (code == TB_ENDTRACK) {
            m_editor.SetCounts(initial, total, initialMoved);
            return;
        }
        WormCounts counts = m_editor.MoveCounts(initial, total, initialMoved);
        ShowCounts(counts.initial, counts.total);
    } else if (slider == GetItem(IDC_WORM_SIZE) && code == TB_ENDTRACK) {
        m_editor.SetWormSize(SliderPos(IDC_WORM_SIZE));
    }
}

bool SimplePage::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_NAME && notifyCode == EN_CHANGE) {
        int length = GetWindowTextLengthA(control);
        std::string name(static_cast<size_t>(length) + 1, '\0');
        GetWindowTextA(control, name.data(), length + 1);
        name.resize(static_cast<size_t>(length));
        m_editor.SetName(name);
        PostMessageA(GetParent(m_hWnd), UM_CHANGED, 0, 0);
        return true;
    }
    for (const FlagBox& box : FlagBoxes) {
        if (id == box.id && notifyCode == BN_CLICKED) {
            m_editor.SetFlag(box.flag, IsChecked(id));
            return true;
        }
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

void SimplePage::SetSliderRange(int id, int min, int max) {
    SendDlgItemMessageA(m_hWnd, id, TBM_SETRANGE, TRUE, MAKELONG(min, max));
}
