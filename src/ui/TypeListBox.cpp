#include "ui/TypeListBox.h"

#include "framework/Dpi.h"
#include "resource.h"
#include "ui/PresetListBox.h"

#include <string>

namespace {

constexpr int IconSize = 32;
constexpr int IconLeft = 1;
constexpr int FocusLeft = 17;
constexpr int TextLeft = 18;

HICON LoadTypeIcon(int id) {
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                         IMAGE_ICON, IconSize, IconSize, LR_DEFAULTCOLOR));
}

} // namespace

// Indexed by state: on, off, keep one.
TypeListBox::TypeListBox()
    : m_ahIcons{LoadTypeIcon(IDI_TYPE_ON), LoadTypeIcon(IDI_TYPE_OFF), LoadTypeIcon(IDI_TYPE_ONE)} {
}

TypeListBox::~TypeListBox() {
    for (HICON icon : m_ahIcons)
        if (icon)
            DestroyIcon(icon);
}

void TypeListBox::OnSubclassed() {
    SendMessageA(m_hWnd, LB_SETITEMHEIGHT, 0, LineHeight(m_hWnd));
}

void TypeListBox::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(LineHeight(m_hWnd));
}

void TypeListBox::Clear() {
    SendMessageA(m_hWnd, LB_RESETCONTENT, 0, 0);
    m_nWidestName = 0;
}

void TypeListBox::AddType(const char* name, int state) {
    auto row = SendMessageA(m_hWnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    if (row < 0)
        return;
    SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(state));

    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, name, static_cast<int>(std::string(name).size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    if (extent.cx > m_nWidestName) {
        m_nWidestName = extent.cx;
        // The name starts after its icon, so the column holds both.
        SendMessageA(m_hWnd, LB_SETCOLUMNWIDTH,
                     static_cast<WPARAM>(m_nWidestName + ScaleToWindow(m_hWnd, TextLeft)), 0);
    }
}

int TypeListBox::State(int row) const {
    return static_cast<int>(SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
}

void TypeListBox::SetState(int row, int state) {
    SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(state));
}

void TypeListBox::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1))
        return;
    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    COLORREF oldBack = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    COLORREF oldText = SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &row, nullptr, 0, nullptr);

    // A stored state outside the three known ones has no icon.
    auto state = static_cast<unsigned>(item.itemData);
    if (state < 3 && m_ahIcons[state]) {
        int size = ScaleToWindow(m_hWnd, IconSize);
        DrawIconEx(dc, row.left + ScaleToWindow(m_hWnd, IconLeft), row.top, m_ahIcons[state], size,
                   size, 0, nullptr, DI_NORMAL);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = row;
        focus.left += ScaleToWindow(m_hWnd, FocusLeft);
        DrawFocusRect(dc, &focus);
    }
    auto length = SendMessageA(m_hWnd, LB_GETTEXTLEN, item.itemID, 0);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        SendMessageA(m_hWnd, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    RECT textRect = {row.left + ScaleToWindow(m_hWnd, TextLeft), row.top + ScaleToWindow(m_hWnd, 1),
                     row.right, row.bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_NOPREFIX);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}
