#pragma once

// Driving the configuration dialog in the test process with what a user's actions send it (see
// DialogControls.h), and answering the message boxes it opens.

#include "DialogControls.h"
#include "settings/RegFileFormat.h"
#include "settings/RegistryValues.h"
#include "settings/Settings.h"
#include "ui/ConfigDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace wintest {

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
    void ShowTab(int index) const { wintest::ShowTab(m_hDialog, index); }
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
