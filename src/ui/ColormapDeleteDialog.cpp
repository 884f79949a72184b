#include "ui/ColormapDeleteDialog.h"

#include "resource.h"
#include "settings/Colormap.h"

ColormapDeleteDialog::ColormapDeleteDialog(HWND owner, const Colormap& colormap,
                                           const StripCache& strips)
    : Dialog(IDD_COLORMAP_DELETE, owner), m_colormap(colormap), m_strip(strips) {}

bool ColormapDeleteDialog::OnInitDialog() {
    m_strip.SubclassDlgItem(IDC_DELETE_STRIP, m_hWnd);
    m_strip.SetColormap(&m_colormap);
    SetWindowTextA(GetItem(IDC_DELETE_NAME), m_colormap.m_strName.c_str());
    return true;
}
