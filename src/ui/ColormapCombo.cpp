#include "ui/ColormapCombo.h"

#include "framework/Dpi.h"
#include "settings/Colormap.h"
#include "ui/PresetListBox.h"
#include "ui/StripCache.h"

#include <algorithm>

namespace {

// Room right of the name for the strip and its margins.
constexpr int StripRoom = 130;
constexpr int StripWidth = 128;
constexpr int StripHeight = 16;
constexpr int MinItemHeight = 20;

int TextWidth(HWND hwnd, const std::string& text) {
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return extent.cx;
}

} // namespace

int ColormapCombo::AddColormap(const std::string& name, const Colormap* colormap) {
    auto row = static_cast<int>(
        SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str())));
    if (row < 0)
        return row;
    SendMessageA(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(colormap));
    const int width = TextWidth(m_hWnd, name);
    if (width > m_nMaxTextWidth) {
        m_nMaxTextWidth = width;
        const int room = ScaleToWindow(m_hWnd, StripRoom);
        SendMessageA(m_hWnd, CB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width + room), 0);
        // The list always shows its scroll bar, which takes its width from the rows: without it
        // the strips would cover the ends of the longest names.
        const int frame = GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE);
        SendMessageA(m_hWnd, CB_SETDROPPEDWIDTH,
                     static_cast<WPARAM>(m_nMaxTextWidth + room + frame), 0);
    }
    return row;
}

void ColormapCombo::FillColormapCombo(const std::vector<std::unique_ptr<Colormap>>& colormaps) {
    SendMessageA(m_hWnd, CB_RESETCONTENT, 0, 0);
    for (const auto& colormap : colormaps) {
        AddColormap(colormap->m_strName, colormap.get());
        m_strips.Update(*colormap);
    }
}

void ColormapCombo::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight =
        static_cast<UINT>(std::max(LineHeight(m_hWnd), ScaleToWindow(m_hWnd, MinItemHeight)));
}

void ColormapCombo::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1))
        return;
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selectionField = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    if (selectionField) {
        HBRUSH background = CreateSolidBrush(GetBkColor(dc));
        FillRect(dc, &r, background);
        DeleteObject(background);
    }

    auto length = SendMessageA(m_hWnd, CB_GETLBTEXTLEN, item.itemID, 0);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0)
        SendMessageA(m_hWnd, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));

    if (!selectionField) {
        // The selected row is outlined in black rather than highlighted, so its strip keeps its
        // true colours.
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
        HGDIOBJ oldPen = SelectObject(
            dc, GetStockObject((item.itemState & ODS_SELECTED) ? BLACK_PEN : WHITE_PEN));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }

    r.left += 1;
    r.top += 2;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    // The selection field keeps the colours the combo box chose for it (highlighted when focused).
    const COLORREF oldText =
        selectionField ? GetTextColor(dc) : SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, oldText);
    SetBkMode(dc, oldMode);

    if (!selectionField && item.itemData)
        m_strips.Draw(*reinterpret_cast<const Colormap*>(item.itemData), dc,
                      r.right - ScaleToWindow(m_hWnd, StripRoom), r.top,
                      ScaleToWindow(m_hWnd, StripWidth), ScaleToWindow(m_hWnd, StripHeight));
}
