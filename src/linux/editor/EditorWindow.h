#pragma once

#include "linux/editor/AdvancedPage.h"
#include "linux/editor/ColorsPage.h"
#include "linux/editor/Preview.h"
#include "linux/editor/SimplePage.h"
#include "linux/editor/TypesPage.h"

#include <gtk/gtk.h>

#include <functional>
#include <memory>
#include <string>

class ColorsEditor;
class FileRegStore;
class Settings;

// "Lumenkite Settings": the live preview, the preset list with New, Delete and the cycle choice,
// and the pages that edit the selected preset, all on one Settings that only Save writes back.
// A file that cannot be read opens on the defaults with a notice; a save that fails says why and
// keeps everything as it was.
class EditorWindow {
public:
    // store must outlive the window. closed runs once the user has closed the window.
    EditorWindow(FileRegStore& store, std::function<void()> closed);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    GtkWindow* Window() const { return m_pWindow; }
    Settings& GetSettings() { return *m_pSettings; }
    Preview& GetPreview() { return *m_pPreview; }
    SimplePage& Simple() { return *m_pSimple; }
    TypesPage& Types() { return *m_pTypes; }
    ColorsPage& Colors() { return *m_pColors; }
    AdvancedPage& Advanced() { return *m_pAdvanced; }
    GtkNotebook* Pages() const { return GTK_NOTEBOOK(m_pPages); }
    GtkListBox* PresetList() const { return GTK_LIST_BOX(m_pPresets); }
    GtkButton* NewButton() const { return GTK_BUTTON(m_pNew); }
    GtkButton* DeleteButton() const { return GTK_BUTTON(m_pDelete); }
    GtkDropDown* CycleChoice() const { return GTK_DROP_DOWN(m_pCycle); }
    GtkButton* SaveButton() const { return GTK_BUTTON(m_pSave); }
    GtkButton* CloseButton() const { return GTK_BUTTON(m_pClose); }
    GtkButton* FullScreenButton() const { return GTK_BUTTON(m_pFullScreen); }
    // The notice over the preview; empty while none shows.
    std::string Notice() const;
    bool HasUnsavedChanges() const { return m_bUnsaved; }
    bool IsClosed() const { return m_bClosed; }

    // Writes the settings file; false (with the reason in the notice) when it could not.
    bool Save();

private:
    GtkWidget* BuildPresetColumn();
    GtkWidget* BuildPreviewRow();
    GtkWidget* BuildButtonRow(const std::string& path);
    void FillPresetList();
    void OnPresetSelected();
    void RefreshPages();
    void OnNewPreset();
    void OnDeletePreset();
    void OnPresetNameChanged();
    void OnClose();
    void Finish();
    void Changed();
    void ShowNotice(GtkMessageType type, const std::string& text);

    std::unique_ptr<Settings> m_pSettings;
    std::string m_strPath;
    std::function<void()> m_closed;
    GtkWindow* m_pWindow;
    std::unique_ptr<Preview> m_pPreview;
    std::unique_ptr<ColorsEditor> m_pColorsEditor;
    std::unique_ptr<SimplePage> m_pSimple;
    std::unique_ptr<TypesPage> m_pTypes;
    std::unique_ptr<ColorsPage> m_pColors;
    std::unique_ptr<AdvancedPage> m_pAdvanced;
    GtkWidget* m_pNotice = nullptr;
    GtkWidget* m_pNoticeText = nullptr;
    GtkWidget* m_pPages = nullptr;
    GtkWidget* m_pPresets = nullptr;
    GtkWidget* m_pNew = nullptr;
    GtkWidget* m_pDelete = nullptr;
    GtkWidget* m_pCycle = nullptr;
    GtkWidget* m_pSave = nullptr;
    GtkWidget* m_pClose = nullptr;
    GtkWidget* m_pFullScreen = nullptr;
    bool m_bFilling = false;
    bool m_bUnsaved = false;
    bool m_bClosed = false;
    bool m_bAsking = false;
};
