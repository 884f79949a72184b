#pragma once

// Driving the configuration dialog in the test process with what a user's actions send it:
// clicks on buttons and list rows, slider drags with and without their end, typing, and
// answering the message boxes it opens.

#include "WindowsTestSupport.h"
#include "resource.h"
#include "settings/RegFileFormat.h"
#include "settings/RegistryValues.h"
#include "settings/Settings.h"
#include "ui/ConfigDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

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

// Answers the next message box or dialog with the given title from another thread, as its own
// loop holds this one; `prepare` may act on it first (type into it, look at it). Keeps the texts
// of its controls as they were when answered.
class MessageBoxAnswer {
public:
    MessageBoxAnswer(const char* title, int answer, std::function<void(HWND)> prepare = {})
        : m_thread([this, title, answer, prepare] {
              for (int i = 0; i < 500 && !m_bStop; ++i) {
                  // Only once shown: a dialog is findable by its template's caption before it
                  // has initialised its controls.
                  HWND box = FindWindowA(nullptr, title);
                  if (box && IsWindowVisible(box)) {
                      if (prepare)
                          prepare(box);
                      m_texts = ChildTexts(box);
                      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
                      m_bAnswered = true;
                      return;
                  }
                  Sleep(20);
              }
          }) {}
    ~MessageBoxAnswer() { Answered(); }
    bool Answered() {
        m_bStop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_bAnswered;
    }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bAnswered{false};
    std::vector<std::string> m_texts;
    std::thread m_thread;
};

// Opens the dialog on settings kept in memory.
class ConfigDialogTest : public ::testing::Test {
protected:
    void Open() {
        m_pDialog = std::make_unique<ConfigDialog>(nullptr, m_store);
        ASSERT_TRUE(m_pDialog->Create());
        m_hDialog = m_pDialog->m_hWnd;
        SetWindowPos(m_hDialog, nullptr, 300, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(m_hDialog, SW_SHOW);
        PumpMessages();
    }
    void TearDown() override { m_pDialog.reset(); }

    HWND Item(int id) const { return Control(m_hDialog, id); }
    // Picks a tab as a click on it does.
    void ShowTab(int index) const {
        SendMessageA(Item(IDC_TABS), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        NMHDR change = {Item(IDC_TABS), IDC_TABS, TCN_SELCHANGE};
        SendMessageA(m_hDialog, WM_NOTIFY, IDC_TABS, reinterpret_cast<LPARAM>(&change));
        PumpMessages();
    }
    const Settings& Current() const { return m_pDialog->GetSettings(); }
    const Preset& CurrentPreset() const { return *Current().m_pCurrentPreset; }
    std::string Stored() const { return FormatRegFile(m_store.m_tree); }
    int ListCount() const {
        return static_cast<int>(SendMessageA(Item(IDC_PRESETS), LB_GETCOUNT, 0, 0));
    }
    int ListSelection() const {
        return static_cast<int>(SendMessageA(Item(IDC_PRESETS), LB_GETCURSEL, 0, 0));
    }
    std::string ListLine(int row) const {
        char text[256] = "";
        SendMessageA(Item(IDC_PRESETS), LB_GETTEXT, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Deletes the selected preset, answering the question with `answer`; returns the question.
    std::string Delete(int answer) {
        MessageBoxAnswer box("Not so fast...", answer);
        Click(Item(IDC_DELETE));
        EXPECT_TRUE(box.Answered());
        PumpMessages();
        std::string texts;
        for (const std::string& text : box.Texts())
            texts += text + "|";
        return texts;
    }

    MemoryRegStore m_store;
    std::unique_ptr<ConfigDialog> m_pDialog;
    HWND m_hDialog = nullptr;
};

} // namespace wintest
