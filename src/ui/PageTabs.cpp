#include "ui/PageTabs.h"

#include "ui/DialogPage.h"

#include <commctrl.h>

PageTabs::PageTabs(int capacity) : m_apPages(static_cast<size_t>(capacity), nullptr) {}

void PageTabs::OnSubclassed() {
    // The pages are siblings lying over the display area: the tabs must not paint over them.
    SetWindowLongA(m_hWnd, GWL_STYLE, GetWindowLongA(m_hWnd, GWL_STYLE) | WS_CLIPSIBLINGS);
}

void PageTabs::AddPage(int index, DialogPage* page, const char* title) {
    if (index < 0 || index >= static_cast<int>(m_apPages.size()))
        return;
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(title);
    SendMessageA(m_hWnd, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    m_apPages[static_cast<size_t>(index)] = page;
    if (!page->Create())
        return;
    RECT area;
    GetClientRect(m_hWnd, &area);
    SendMessageA(m_hWnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(m_hWnd, GetParent(m_hWnd), reinterpret_cast<POINT*>(&area), 2);
    MoveWindow(page->m_hWnd, area.left, area.top, area.right - area.left, area.bottom - area.top,
               TRUE);
    ShowWindow(page->m_hWnd, SW_HIDE);
}

void PageTabs::ShowSelected() {
    int selected = static_cast<int>(SendMessageA(m_hWnd, TCM_GETCURSEL, 0, 0));
    for (size_t i = 0; i < m_apPages.size(); ++i)
        if (m_apPages[i] && m_apPages[i]->m_hWnd)
            ShowWindow(m_apPages[i]->m_hWnd, static_cast<int>(i) == selected ? SW_SHOW : SW_HIDE);
}

void PageTabs::Select(int index) {
    SendMessageA(m_hWnd, TCM_SETCURSEL, index, 0);
    ShowSelected();
}

void PageTabs::DestroyPages() {
    for (DialogPage*& page : m_apPages) {
        if (page && page->m_hWnd)
            ::DestroyWindow(page->m_hWnd);
        page = nullptr;
    }
}
