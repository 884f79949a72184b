#include "ui/ColorsPage.h"

#include "app/LumenkiteWnd.h"
#include "resource.h"
#include "settings/Settings.h"

ColorsPage::ColorsPage(HWND owner, Settings& settings, LumenkiteWnd& preview)
    : DialogPage(IDD_COLORS, owner), m_settings(settings), m_preview(preview),
      m_options(IDI_ARROW_DOWN, IconButton::Push, IconButton::IconRight) {}

bool ColorsPage::OnInitDialog() {
    DialogPage::OnInitDialog();
    m_options.SubclassDlgItem(IDC_OPTIONS, m_hWnd);
    CheckRadioButton(m_hWnd, IDC_RGB, IDC_HSV, m_settings.RGB ? IDC_RGB : IDC_HSV);
    return true;
}

void ColorsPage::Refresh() {
    if (const Colormap* colormap = m_settings.GetColormap(m_settings.m_pCurrentPreset->Colormap))
        m_preview.SetColormap(*colormap);
}
