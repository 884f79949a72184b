#include "ui/ConfigDialog.h"

#include "editor/DialogGeometry.h"
#include "editor/EditorTexts.h"
#include "editor/SettingsEditor.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "saver/ScreenMetrics.h"
#include "support/Trace.h"
#include "ui/AdvancedPanel.h"
#include "ui/ColorsPage.h"
#include "ui/SimplePage.h"
#include "ui/TypesPage.h"
#include "ui/UserMessages.h"

#include <commctrl.h>

#include <string>

namespace {

std::string RegisterFullScreenClass() {
    return Window::RegisterWindowClass(CS_HREDRAW | CS_VREDRAW, LoadCursorA(nullptr, IDC_ARROW),
                                       static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), nullptr);
}

} // namespace

ConfigDialog::ConfigDialog(HWND owner)
    : Dialog(IDD_CONFIG, owner), m_titleBand(IDB_TITLE), m_tabs(3),
      m_advancedButton(IDI_ARROW_LEFT, IconButton::Toggle, IconButton::IconLeft),
      m_strFullScreenClass(RegisterFullScreenClass()) {}

ConfigDialog::ConfigDialog(HWND owner, RegStore& store)
    : Dialog(IDD_CONFIG, owner), m_titleBand(IDB_TITLE), m_settings(store), m_tabs(3),
      m_advancedButton(IDI_ARROW_LEFT, IconButton::Toggle, IconButton::IconLeft),
      m_strFullScreenClass(RegisterFullScreenClass()) {}

ConfigDialog::~ConfigDialog() {
    // The window's last messages use the members: it goes first.
    if (m_hWnd)
        DestroyWindow(m_hWnd);
}

HWND ConfigDialog::PanelWindow() const {
    return m_pAdvancedPanel ? m_pAdvancedPanel->m_hWnd : nullptr;
}

bool ConfigDialog::OnInitDialog() {
    // The frame was measured with the system's caption before this object was attached: measure
    // it again with the band, so the client area no longer changes on the first resize.
    SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_presetList.SubclassDlgItem(IDC_PRESETS, m_hWnd);
    m_tabs.SubclassDlgItem(IDC_TABS, m_hWnd);
    m_advancedButton.SubclassDlgItem(IDC_ADVANCED, m_hWnd);

    m_pPreview = std::make_unique<LumenkiteWnd>(&m_settings, false, this);
    m_pEditor = std::make_unique<SettingsEditor>(m_settings, *m_pPreview);
    const int row = m_pEditor->Normalise();
    CreatePreview();
    m_pPreview->UpdateTargetWorms();
    m_pPreview->ApplyCpu();

    HWND cycle = GetItem(IDC_CYCLE);
    for (const char* choice : {"Don't Cycle", "Cycle In Order", "Cycle Randomly"})
        SendMessageA(cycle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    SendMessageA(cycle, CB_SETCURSEL, static_cast<WPARAM>(m_pEditor->CycleRow()), 0);

    m_pSimplePage = std::make_unique<SimplePage>(m_hWnd, *m_pEditor);
    m_pTypesPage = std::make_unique<TypesPage>(m_hWnd, *m_pEditor);
    m_pColorsPage = std::make_unique<ColorsPage>(m_hWnd, m_pEditor->Colors());
    m_tabs.AddPage(0, m_pSimplePage.get(), "Simple Settings");
    m_tabs.AddPage(1, m_pTypesPage.get(), "Types");
    m_tabs.AddPage(2, m_pColorsPage.get(), "Colors");
    m_tabs.ShowSelected();

    FillPresetList(row);
    OnPresetSelected();

    m_bFullScreen = false;
    RECT frame;
    GetClientRect(GetItem(IDC_PREVIEW_FRAME), &frame);
    m_nShrinkHeight = frame.bottom - frame.top + 7;

    m_pAdvancedPanel = std::make_unique<AdvancedPanel>(m_hWnd, *m_pEditor);
    m_pAdvancedPanel->Create();
    // In place before it is first shown.
    PlaceAdvancedPanel();
    return true;
}

void ConfigDialog::CreatePreview() {
    Trace(TraceInfo, "Creating preview");
    m_pPreview->CreatePreview(GetItem(IDC_PREVIEW_FRAME), false);
}

void ConfigDialog::FillPresetList(int row) {
    HWND list = m_presetList.m_hWnd;
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const auto& preset : m_settings.m_apPresets)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset->Name.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void ConfigDialog::OnPresetSelected() {
    m_pEditor->SelectPresetRow(
        static_cast<int>(SendMessageA(m_presetList.m_hWnd, LB_GETCURSEL, 0, 0)));
    ShowCurrentPreset();
}

void ConfigDialog::ShowCurrentPreset() {
    EnableWindow(GetItem(IDC_DELETE), m_pEditor->CanDeletePreset());
    RefreshPages();
}

void ConfigDialog::RefreshPages() {
    m_pSimplePage->Refresh();
    m_pTypesPage->Refresh();
    m_pColorsPage->Refresh();
}

void ConfigDialog::OnNewPreset() {
    FillPresetList(m_pEditor->NewPreset());
    ShowCurrentPreset();
    m_tabs.Select(0);
    m_pSimplePage->SelectName();
}

void ConfigDialog::OnDeletePreset() {
    if (MessageBoxA(m_hWnd, m_pEditor->DeleteQuestion().c_str(), DeletePresetTitle,
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_pEditor->DeleteCurrentPreset();
    FillPresetList(m_pEditor->PresetRow());
    ShowCurrentPreset();
}

void ConfigDialog::EnterFullScreen() {
    Trace(TraceInfo, "Closing preview mode");
    m_pPreview->Stop();
    m_pPreview->DestroyWindow();
    Rect desktop;
    GetFullScreenRect(desktop);
    Trace(TraceInfo, "Starting fullscreen mode");
    m_pPreview->CreateFullScreen(m_strFullScreenClass, "", desktop, false);
    ShowWindow(GetItem(IDC_PREVIEW_FRAME), SW_HIDE);
    ShrinkBy(m_nShrinkHeight);
    SetDlgItemTextA(m_hWnd, IDC_FULLSCREEN, "&Preview");
    m_pPreview->SetNotifyActivate(true);
    m_bFullScreen = true;
    PlaceAdvancedPanel();
}

void ConfigDialog::LeaveFullScreen() {
    Trace(TraceInfo, "Closing fullscreen mode");
    m_pPreview->Stop();
    m_pPreview->DestroyWindow();
    SetDlgItemTextA(m_hWnd, IDC_FULLSCREEN, "&Fullscreen");
    ShowWindow(GetItem(IDC_PREVIEW_FRAME), SW_SHOW);
    ShrinkBy(-m_nShrinkHeight);
    CreatePreview();
    m_pPreview->SetNotifyActivate(false);
    m_bFullScreen = false;
    PlaceAdvancedPanel();
}

void ConfigDialog::ShrinkBy(int d) {
    for (HWND child = GetWindow(m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left, r.top - d, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT window;
    GetWindowRect(m_hWnd, &window);
    Rect shrunk = ShrinkFromTop(Rect{window.left, window.top, window.right, window.bottom}, d);
    SetWindowPos(m_hWnd, d > 0 ? HWND_TOPMOST : HWND_NOTOPMOST, shrunk.left, shrunk.top,
                 shrunk.Width(), shrunk.Height(), 0);
    SendMessageA(m_hWnd, DM_REPOSITION, 0, 0);
}

void ConfigDialog::OnAdvanced() {
    if (!m_pAdvancedPanel)
        return;
    if (m_advancedButton.IsDown()) {
        ShowWindow(m_pAdvancedPanel->m_hWnd, SW_SHOW);
        SetForegroundWindow(m_pAdvancedPanel->m_hWnd);
    } else {
        ShowWindow(m_pAdvancedPanel->m_hWnd, SW_HIDE);
        SetForegroundWindow(m_hWnd);
    }
}

void ConfigDialog::PlaceAdvancedPanel() {
    if (!m_pAdvancedPanel || !m_pAdvancedPanel->m_hWnd)
        return;
    RECT dialog, panel;
    GetWindowRect(m_hWnd, &dialog);
    GetWindowRect(m_pAdvancedPanel->m_hWnd, &panel);
    Point origin = PanelOrigin(Rect{dialog.left, dialog.top, dialog.right, dialog.bottom},
                               panel.right - panel.left, panel.bottom - panel.top);
    SetWindowPos(m_pAdvancedPanel->m_hWnd, nullptr, origin.x, origin.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ConfigDialog::OnPresetNameChanged() {
    HWND list = m_presetList.m_hWnd;
    int row = m_pEditor->PresetRow();
    // Hidden while it changes, so the line does not flicker at every keystroke.
    ShowWindow(list, SW_HIDE);
    SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(m_pEditor->CurrentPreset().Name.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
    ShowWindow(list, SW_SHOW);
}

void ConfigDialog::OnFrameRate(int frames) {
    PostMessageA(m_hWnd, UM_FRAMERATE, static_cast<WPARAM>(frames), 0);
}

void ConfigDialog::OnActivate() {
    SetForegroundWindow(m_hWnd);
}

bool ConfigDialog::OnCommand(int id, int notifyCode, HWND control) {
    switch (id) {
    case IDC_NEW:
        if (notifyCode == BN_CLICKED)
            OnNewPreset();
        return true;
    case IDC_DELETE:
        if (notifyCode == BN_CLICKED)
            OnDeletePreset();
        return true;
    case IDC_ADVANCED:
        if (notifyCode == BN_CLICKED)
            OnAdvanced();
        return true;
    case IDC_FULLSCREEN:
        if (notifyCode == BN_CLICKED) {
            if (m_bFullScreen)
                LeaveFullScreen();
            else
                EnterFullScreen();
        }
        return true;
    case IDC_RESTART:
        if (notifyCode == BN_CLICKED) {
            Trace(TraceInfo, "RESTART");
            m_pPreview->Restart();
            m_pPreview->UpdateTargetWorms();
        }
        return true;
    case IDC_ABOUT:
        if (notifyCode == BN_CLICKED)
            MessageBoxA(m_hWnd, AboutText, AboutTitle, MB_OK | MB_ICONINFORMATION);
        return true;
    case IDC_PRESETS:
        if (notifyCode == LBN_SELCHANGE)
            OnPresetSelected();
        return true;
    case IDC_CYCLE:
        if (notifyCode == CBN_SELCHANGE) {
            int row = static_cast<int>(SendMessageA(control, CB_GETCURSEL, 0, 0));
            if (row >= 0)
                m_pEditor->ChooseCycle(row);
        }
        return true;
    }
    return Dialog::OnCommand(id, notifyCode, control);
}

void ConfigDialog::OnOK() {
    m_pPreview->Stop();
    if (m_pAdvancedPanel)
        m_pEditor->TakeDelayTexts(m_pAdvancedPanel->DelayText(), m_pAdvancedPanel->RangeText());
    Trace(TraceInfo, "ConfigDialog: Writing settings");
    m_pEditor->Save();
    EndDialog(IDOK);
}

void ConfigDialog::OnDestroy() {
    if (m_pAdvancedPanel) {
        m_pAdvancedPanel->EndDialog(IDCANCEL);
        m_pAdvancedPanel.reset();
    }
    m_pPreview.reset();
    m_tabs.DestroyPages();
    m_pSimplePage.reset();
    m_pTypesPage.reset();
    m_pColorsPage.reset();
    m_pEditor.reset();
}

INT_PTR ConfigDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UM_CHANGED:
        OnPresetNameChanged();
        return TRUE;
    case UM_FRAMERATE:
        if (m_pAdvancedPanel)
            m_pAdvancedPanel->ShowFrameRate(static_cast<unsigned>(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->idFrom == IDC_TABS &&
            reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
            m_tabs.ShowSelected();
            return TRUE;
        }
        break;
    case WM_MOVE:
        PlaceAdvancedPanel();
        break;
    case WM_NCCALCSIZE:
        m_titleBand.OnNcCalcSize(m_hWnd, wParam, lParam);
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
        // The default frame painting draws a caption over the band: paint the band after it.
        LRESULT result = DefWindowProcA(m_hWnd, message, wParam, lParam);
        m_titleBand.Paint(m_hWnd);
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    case WM_SYSCOMMAND:
        m_titleBand.Paint(m_hWnd);
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    }
    return Dialog::DialogProc(message, wParam, lParam);
}
