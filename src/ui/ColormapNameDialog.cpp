#include "ui/ColormapNameDialog.h"

#include "editor/ColormapEdits.h"
#include "editor/ColorsEditor.h"
#include "resource.h"
#include "settings/Colormap.h"

#include <utility>

ColormapNameDialog::ColormapNameDialog(HWND owner, ColorsEditor& colors, Colormap& colormap,
                                       const StripCache& strips, std::string title,
                                       std::string okText)
    : Dialog(IDD_COLORMAP_NAME, owner), m_colors(colors), m_colormap(colormap), m_strip(strips),
      m_strTitle(std::move(title)), m_strOkText(std::move(okText)) {}

bool ColormapNameDialog::OnInitDialog() {
    m_strip.SubclassDlgItem(IDC_NAME_STRIP, m_hWnd);
    m_strip.SetColormap(&m_colormap);
    HWND edit = GetItem(IDC_COLORMAP_NAME);
    SetWindowTextA(edit, m_colormap.m_strName.c_str());
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
    SetWindowTextA(m_hWnd, m_strTitle.c_str());
    SetWindowTextA(GetItem(IDOK), m_strOkText.c_str());
    CheckName();
    return true;
}

bool ColormapNameDialog::OnCommand(int id, int notifyCode, HWND control) {
    if (id == IDC_COLORMAP_NAME && notifyCode == EN_CHANGE) {
        CheckName();
        return true;
    }
    return Dialog::OnCommand(id, notifyCode, control);
}

void ColormapNameDialog::OnOK() {
    // Enter reaches here even while the button is greyed.
    if (m_colors.RenameColormap(m_colormap, EditedName()))
        EndDialog(IDOK);
}

std::string ColormapNameDialog::EditedName() const {
    HWND edit = GetItem(IDC_COLORMAP_NAME);
    std::string name(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    name.resize(
        static_cast<size_t>(GetWindowTextA(edit, name.data(), static_cast<int>(name.size()))));
    return name;
}

bool ColormapNameDialog::CheckName() {
    const char* problem = ColormapNameProblem(EditedName());
    EnableWindow(GetItem(IDOK), problem == nullptr);
    SetWindowTextA(GetItem(IDC_NAME_PROBLEM), problem ? problem : "");
    return problem == nullptr;
}
