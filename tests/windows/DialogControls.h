#pragma once

// What a user's actions send the configuration dialog's controls, driven in this process: clicks
// on buttons, tabs and list rows, slider drags with and without their end, typing.

#include "WindowsTestSupport.h"
#include "resource.h"

#include <commctrl.h>

#include <string>

namespace wintest {

struct ControlSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK FindControl(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (GetDlgCtrlID(hwnd) != search->id)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

// A control anywhere under the window: the pages' controls lie one level down.
inline HWND Control(HWND root, int id) {
    ControlSearch search = {id, nullptr};
    EnumChildWindows(root, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::string Text(HWND hwnd) {
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

inline void Click(HWND control, int x = 3, int y = 3) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    PumpMessages();
}

// A click in the middle of a list row, as the list itself turns it into a selection change.
inline void ClickRow(HWND list, int row) {
    RECT r;
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    Click(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

inline void Type(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (char c : text)
        SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    PumpMessages();
}

// A drag of the slider to `pos`, ending with the release when `release` is set.
inline void Drag(HWND slider, int pos, bool release) {
    SetFocus(slider);
    SendMessageA(slider, TBM_SETPOS, TRUE, pos);
    HWND page = GetParent(slider);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos),
                 reinterpret_cast<LPARAM>(slider));
    if (release) {
        SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos),
                     reinterpret_cast<LPARAM>(slider));
        SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                     reinterpret_cast<LPARAM>(slider));
    }
    PumpMessages();
}

inline int SliderPos(HWND slider) {
    return static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
}

inline bool IsChecked(HWND box) {
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

inline RECT WindowRect(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// Picks a tab of the dialog as a click on it does.
inline void ShowTab(HWND dialog, int index) {
    HWND tabs = Control(dialog, IDC_TABS);
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR change = {tabs, IDC_TABS, TCN_SELCHANGE};
    SendMessageA(dialog, WM_NOTIFY, IDC_TABS, reinterpret_cast<LPARAM>(&change));
    PumpMessages();
}

} // namespace wintest
