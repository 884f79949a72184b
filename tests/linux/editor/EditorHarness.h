#pragma once

#include "Process.h"
#include "linux/editor/EditorWindow.h"
#include "settings/FileRegStore.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

// Why the widgets cannot be tested in this run; empty when they can.
extern std::string g_strNoDisplay;

// Runs the main loop until done() holds, for at most two seconds (a long way past what any step
// takes here). Returns done().
bool RunUntil(const std::function<bool()>& done);
// Runs the main loop a little, so that queued redraws and layout happen.
void Settle();

// A shown top-level window with this title, other than the editor; null when none is shown.
GtkWindow* FindWindow(const char* title);
// Clicks the button with this label (mnemonic included) in the window, as a user would: a
// greyed button does nothing. Fails the test when there is no such button.
void Click(GtkWidget* root, const char* label);
void Click(GtkButton* button);
// The widget's first event controller of the type; null when none.
GObject* ControllerOf(GtkWidget* widget, GType type);
// The first widget of the type in the tree; null when none.
GtkWidget* FindWidgetOfType(GtkWidget* root, GType type);

// An editor on a settings file of its own in a fresh folder.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the editor on the file as it is now and waits until it is laid out.
    void Open();
    std::string Path() const { return m_dir.File("settings.reg"); }
    EditorWindow& Editor() { return *m_pEditor; }
    Settings& GetSettings() { return m_pEditor->GetSettings(); }
    // Answers the open question or dialog with this title by clicking the button.
    void Answer(const char* title, const char* button);

    TempDir m_dir;
    std::unique_ptr<FileRegStore> m_pStore;
    std::unique_ptr<EditorWindow> m_pEditor;
    bool m_bClosed = false;
};
