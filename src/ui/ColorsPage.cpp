#include "ui/ColorsPage.h"

#include "editor/ColorsEditor.h"
#include "editor/ColorsTexts.h"
#include "resource.h"
#include "settings/Colormap.h"
#include "ui/ColormapDeleteDialog.h"
#include "ui/ColormapNameDialog.h"
#include "ui/UserMessages.h"

ColorsPage::ColorsPage(HWND owner, ColorsEditor& colors)
    : DialogPage(IDD_COLORS, owner), m_colors(colors),
      m_options(IDI_ARROW_DOWN, IconButton::Push, IconButton::IconRight), m_combo(m_strips),
      m_strip(m_strips), m_editor(colors) {}

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
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_NEW, NewColormapCaption.windows);
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_DUPLICATE, DuplicateColormapCaption.windows);
    AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_RENAME, RenameColormapCaption.windows);
    AppendMenuA(m_hMenu, MF_STRING, ID_COLORMAP_DELETE, DeleteColormapCaption.windows);

    m_combo.FillColormapCombo(m_colors.Colormaps());
    m_picker.SetRGBMode(m_colors.RgbMode());
    CheckRadioButton(m_hWnd, IDC_RGB, IDC_HSV, m_colors.RgbMode() ? IDC_RGB : IDC_HSV);
    return true;
}

void ColorsPage::Refresh() {
    SendMessageA(m_combo.m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(m_colors.ChoiceRow()), 0);
    Show(m_colors.Refresh());
}

void ColorsPage::FillChoice() {
    m_combo.FillColormapCombo(m_colors.Colormaps());
    SendMessageA(m_combo.m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(m_colors.ChoiceRow()), 0);
}

void ColorsPage::Show(const ColorsUpdate& update) {
    Colormap* shown = m_colors.Shown();
    if (!update.redraw || !shown)
        return;
    m_strips.Update(*shown);
    m_strip.SetColormap(shown);
    m_editor.Redraw();
    const RgbColor colour = m_colors.SelectedColor();
    if (update.movePicker)
        m_picker.SetColor(colour.red, colour.green, colour.blue);
    m_colorBox.SetColor(RGB(colour.red, colour.green, colour.blue));
}

bool ColorsPage::OnCommand(int id, int notifyCode, HWND control) {
    switch (id) {
    case IDC_COLORMAP:
        if (notifyCode == CBN_SELCHANGE)
            Show(m_colors.ChooseColormap(
                static_cast<int>(SendMessageA(m_combo.m_hWnd, CB_GETCURSEL, 0, 0))));
        return true;
    case IDC_OPTIONS:
        ShowOptions();
        return true;
    case ID_COLORMAP_NEW:
        OnNewColormap(m_colors.BeginNewColormap(), NewColormapTitle);
        return true;
    case ID_COLORMAP_DUPLICATE:
        OnNewColormap(m_colors.BeginDuplicateColormap(), DuplicateColormapTitle);
        return true;
    case ID_COLORMAP_RENAME:
        OnRename();
        return true;
    case ID_COLORMAP_DELETE:
        OnDelete();
        return true;
    case IDC_RGB:
    case IDC_HSV:
        m_colors.SetRgbMode(IsDlgButtonChecked(m_hWnd, IDC_RGB) == BST_CHECKED);
        m_picker.SetRGBMode(m_colors.RgbMode());
        return true;
    }
    return DialogPage::OnCommand(id, notifyCode, control);
}

INT_PTR ColorsPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case UM_COLOR_PICKED:
        Show(m_colors.PickColor(static_cast<uint32_t>(lParam)));
        return TRUE;
    case UM_STOPS_EDITED:
        Show({.redraw = true, .movePicker = wParam != 0});
        return TRUE;
    }
    return DialogPage::DialogProc(message, wParam, lParam);
}

void ColorsPage::ShowOptions() {
    EnableMenuItem(m_hMenu, ID_COLORMAP_DELETE,
                   MF_BYCOMMAND | (m_colors.CanDeleteColormap() ? MF_ENABLED : MF_GRAYED));
    RECT button;
    GetWindowRect(m_options.m_hWnd, &button);
    TrackPopupMenu(m_hMenu, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.right,
                   button.bottom, 0, m_hWnd, nullptr);
}

HWND ColorsPage::Root() const {
    return GetAncestor(m_hWnd, GA_ROOT);
}

void ColorsPage::OnNewColormap(Colormap* pending, const char* title) {
    if (!pending)
        return;
    m_strips.Update(*pending);
    ColormapNameDialog dialog(Root(), m_colors, *pending, m_strips, title,
                              ConfirmCreateCaption.windows);
    const bool confirmed = dialog.DoModal() == IDOK;
    if (!confirmed)
        m_strips.Forget(*pending);
    const ColorsUpdate update = m_colors.EndNewColormap(confirmed);
    if (update.redraw)
        FillChoice();
    Show(update);
}

void ColorsPage::OnRename() {
    Colormap* shown = m_colors.Shown();
    if (!shown)
        return;
    ColormapNameDialog dialog(Root(), m_colors, *shown, m_strips, RenameColormapTitle,
                              ConfirmRenameCaption.windows);
    if (dialog.DoModal() == IDOK)
        FillChoice();
}

void ColorsPage::OnDelete() {
    // The menu item is greyed for the last colormap; the command can still be sent.
    Colormap* shown = m_colors.Shown();
    if (!shown || !m_colors.CanDeleteColormap())
        return;
    ColormapDeleteDialog dialog(Root(), *shown, m_strips);
    if (dialog.DoModal() != IDOK)
        return;
    m_strips.Forget(*shown);
    const ColorsUpdate update = m_colors.DeleteColormap(shown);
    FillChoice();
    Show(update);
}
