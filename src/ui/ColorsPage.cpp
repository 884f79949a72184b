#include "ui/ColorsPage.h"

#include "editor/ColormapEdits.h"
#include "resource.h"
#include "saver/LumenkiteWnd.h"
#include "settings/Settings.h"
#include "ui/ColormapDeleteDialog.h"
#include "ui/ColormapNameDialog.h"
#include "ui/UserMessages.h"

#include <utility>

ColorsPage::ColorsPage(HWND owner, Settings& settings, LumenkiteWnd& preview)
    : DialogPage(IDD_COLORS, owner), m_settings(settings), m_preview(preview),
      m_options(IDI_ARROW_DOWN, IconButton::Push, IconButton::IconRight), m_combo(m_strips),
      m_strip(m_strips) {}

ColorsPage::~ColorsPage() {
    if (m_hMenu)
        DestroyMenu(m_hMenu);
}

bool ColorsPage::OnInitDialog() {
    DialogPage::OnInitDialog();
    m_options.SubclassDlgItem(IDC_OPTIONS, m_hWnd);
    m_combo.SubclassDlgItem(IDC_COLORMAP, m_hWnd);
    m_strip.SubclassDlgItem(IDC_STRIP, m_hWnd);
    m_editor.SubclassDlgItem(IDC_EDITOR, m_hWnd);
    m_colorBox.SubclassDlgItem(IDC_COLORBOX, m_hWnd);
    m_picker.SubclassDlgItem(IDC_PICKER, m_hWnd);

    m_hMenu = CreatePopupMenu();
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_NEW, "New...");
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_DUPLICATE, "Duplicate...");
    AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_RENAME, "Rename...");
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_DELETE, "Delete...");

    m_combo.FillColormapCombo(m_settings);
    m_picker.SetRGBMode(m_settings.RGB);
    CheckRadioButton(m_hWnd, IDC_RGB, IDC_HSV, m_settings.RGB ? IDC_RGB : IDC_HSV);
    return true;
}

void ColorsPage::Refresh() {
    const int index = m_settings.m_pCurrentPreset->Colormap;
    SendMessageA(m_combo.m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    m_pShown = m_settings.GetColormap(index);
    if (!m_pShown)
        return;
    const int selected = m_editor.SelectedStop();
    if (selected < 0 || selected >= static_cast<int>(m_pShown->m_aStops.size()))
        m_editor.SelectStop(0);
    Update(PresetShown, 0);
}

void ColorsPage::OnColormapChosen() {
    const auto index = static_cast<int>(SendMessageA(m_combo.m_hWnd, CB_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    m_settings.m_pCurrentPreset->Colormap = index;
    m_pShown = m_settings.GetColormap(index);
    m_editor.SelectStop(0);
    Update(ColormapChosen, 0);
}

void ColorsPage::Update(int change, LPARAM value) {
    if (!m_pShown)
        return;
    const int selected = m_editor.SelectedStop();
    const bool hasStop = selected >= 0 && selected < static_cast<int>(m_pShown->m_aStops.size());
    if (change == ColorPicked && hasStop)
        m_pShown->SetStopColor(selected, static_cast<uint32_t>(value));
    m_strips.Update(*m_pShown);
    m_strip.SetColormap(m_pShown);
    m_editor.SetColormap(m_pShown);
    m_preview.SetColormap(*m_pShown);
    const uint32_t colour = m_editor.GetSelectedColor();
    if (change == PresetShown || change == StopSelected || change == ColormapChosen)
        m_picker.SetColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    m_colorBox.SetColor(colour);
}

bool ColorsPage::OnCommand(int id, int notifyCode, HWND control) {
    switch (id) {
    case IDC_COLORMAP:
        if (notifyCode == CBN_SELCHANGE)
            OnColormapChosen();
        return true;
    case IDC_OPTIONS:
        ShowOptions();
        return true;
    case ID_COLORMAP_NEW:
        OnNewColormap(MakeNewColormap(), "Create new colormap");
        return true;
    case ID_COLORMAP_DUPLICATE:
        if (m_pShown)
            OnNewColormap(DuplicateColormap(*m_pShown), "Create duplicate colormap");
        return true;
    case ID_COLORMAP_RENAME:
        OnRename();
        return true;
    case ID_COLORMAP_DELETE:
        OnDelete();
        return true;
    case IDC_RGB:
    case IDC_HSV:
        OnPickerMode();
        return true;
    }
    return DialogPage::OnCommand(id, notifyCode, control);
}

INT_PTR ColorsPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UM_CHANGED) {
        Update(static_cast<int>(wParam), lParam);
        return TRUE;
    }
    return DialogPage::DialogProc(message, wParam, lParam);
}

void ColorsPage::ShowOptions() {
    EnableMenuItem(m_hMenu, ID_COLORMAP_DELETE,
                   MF_BYCOMMAND | (CanDeleteColormap(m_settings) ? MF_ENABLED : MF_GRAYED));
    RECT button;
    GetWindowRect(m_options.m_hWnd, &button);
    TrackPopupMenu(m_hMenu, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.right,
                   button.bottom, 0, m_hWnd, nullptr);
}

HWND ColorsPage::Root() const {
    return GetAncestor(m_hWnd, GA_ROOT);
}

void ColorsPage::OnNewColormap(std::unique_ptr<Colormap> colormap, const char* title) {
    m_strips.Update(*colormap);
    ColormapNameDialog dialog(Root(), *colormap, m_strips, title, "&Create");
    if (dialog.DoModal() != IDOK) {
        m_strips.Forget(*colormap);
        return;
    }
    const int index = m_settings.AddColormap(std::move(colormap));
    m_combo.FillColormapCombo(m_settings);
    SendMessageA(m_combo.m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnColormapChosen();
}

void ColorsPage::OnRename() {
    if (!m_pShown)
        return;
    ColormapNameDialog dialog(Root(), *m_pShown, m_strips, "Rename colormap", "&Rename");
    if (dialog.DoModal() != IDOK)
        return;
    const auto selection = SendMessageA(m_combo.m_hWnd, CB_GETCURSEL, 0, 0);
    m_combo.FillColormapCombo(m_settings);
    SendMessageA(m_combo.m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void ColorsPage::OnDelete() {
    // The menu item is greyed for the last colormap; the command can still be sent.
    if (!m_pShown || !CanDeleteColormap(m_settings))
        return;
    ColormapDeleteDialog dialog(Root(), *m_pShown, m_strips);
    if (dialog.DoModal() != IDOK)
        return;
    // The shown colormap's own index: the choice has no selection while the preset's stored
    // index lies outside the library.
    int index = 0;
    while (m_settings.m_apColormaps[static_cast<size_t>(index)].get() != m_pShown)
        ++index;
    m_strips.Forget(*m_pShown);
    m_pShown = nullptr;
    m_settings.DeleteColormap(index);
    m_combo.FillColormapCombo(m_settings);
    SendMessageA(m_combo.m_hWnd, CB_SETCURSEL, 0, 0);
    OnColormapChosen();
}

void ColorsPage::OnPickerMode() {
    m_settings.RGB = IsDlgButtonChecked(m_hWnd, IDC_RGB) == BST_CHECKED;
    m_picker.SetRGBMode(m_settings.RGB);
}
